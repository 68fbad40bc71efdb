/* A module that carries only a version block. */
int no_translation_marker(void) { return 0; }
