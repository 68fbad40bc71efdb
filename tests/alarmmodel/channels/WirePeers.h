// Where the wire tests find the peers that peers.py started for them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

inline std::string PeerSetting(const char* pszName)
{
    const char* value = getenv(pszName);
    EXPECT_NE(value, nullptr) << pszName << " is not set: run this program through peers.py";
    return value ? value : "";
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::string data;
    if (FILE* f = fopen(path.c_str(), "rb"))
    {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0)
            data.append(buf, n);
        fclose(f);
    }
    return data;
}

inline void EmptyFile(const std::string& path)
{
    if (FILE* f = fopen(path.c_str(), "wb"))
        fclose(f);
}
