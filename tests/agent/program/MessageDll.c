/* A message DLL holds nothing but its message table resource. */
int tervok_message_dll_marker;
