// MD5 and Base64 throughput on 64 MiB of data. With a file argument, hashes that file instead
// of generated data (bench/compare-md5 uses it to time the same bytes as openssl).
#include "support/Base64.h"
#include "support/MD5Digest.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace
{
const size_t kSize = 64u << 20;

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::vector<unsigned char> Data(int argc, char** argv)
{
    std::vector<unsigned char> data;
    if (argc > 1)
    {
        FILE* f = fopen(argv[1], "rb");
        if (!f)
            return data;
        data.resize(kSize);
        data.resize(fread(data.data(), 1, data.size(), f));
        fclose(f);
        return data;
    }
    data.resize(kSize);
    unsigned x = 12345;
    for (auto& b : data)
        b = (unsigned char)((x = x * 1103515245 + 12345) >> 16);
    return data;
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<unsigned char> data = Data(argc, argv);
    if (data.empty())
    {
        fprintf(stderr, "no data\n");
        return 1;
    }
    const double mb = data.size() / 1048576.0;

    auto t0 = std::chrono::steady_clock::now();
    CMD5Digest md5;
    md5.Init();
    md5.Update(data.data(), data.size());
    unsigned char digest[16];
    md5.Final(digest);
    double md5Secs = Seconds(t0);

    std::vector<char> out(data.size() / 3 * 4 + 8);
    t0 = std::chrono::steady_clock::now();
    int n = Base64Encode(data.data(), out.data(), data.size(), 0);
    double b64Secs = Seconds(t0);

    printf("md5: %.1f MB/s (", mb / md5Secs);
    for (unsigned char b : digest)
        printf("%02x", b);
    printf(")\nbase64: %.1f MB/s (%d characters)\n", mb / b64Secs, n);
    return 0;
}
