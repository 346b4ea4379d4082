#include "project/Sha256.h"

#include <openssl/evp.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace bramble {
namespace {

// One digest being computed, freed however the computation ends.
class Digest {
public:
    Digest() : m_ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free)
    {
        m_ok = m_ctx && EVP_DigestInit_ex(m_ctx.get(), EVP_sha256(), nullptr) == 1;
    }
    void Add(const void* bytes, std::size_t size)
    {
        m_ok = m_ok && EVP_DigestUpdate(m_ctx.get(), bytes, size) == 1;
    }
    // Empty when the library failed.
    std::string Hex()
    {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        if (!m_ok || EVP_DigestFinal_ex(m_ctx.get(), digest, &size) != 1)
            return {};
        static const char kDigits[] = "0123456789abcdef";
        std::string hex;
        for (unsigned int i = 0; i < size; ++i) {
            hex += kDigits[digest[i] >> 4];
            hex += kDigits[digest[i] & 0x0f];
        }
        return hex;
    }

private:
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> m_ctx;
    bool m_ok = false;
};

}  // namespace

std::string Sha256OfBytes(std::string_view bytes)
{
    Digest digest;
    digest.Add(bytes.data(), bytes.size());
    return digest.Hex();
}

Result<std::string> Sha256OfFile(const std::string& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        return Outcome::Error("cannot read " + path + ": " + std::strerror(errno));
    Digest digest;
    std::vector<char> buffer(1 << 16);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
        digest.Add(buffer.data(), got);
    if (std::ferror(file.get()))
        return Outcome::Error("cannot read " + path + ": a read error");
    std::string hex = digest.Hex();
    if (hex.empty())
        return Outcome::Error("cannot compute the SHA-256 of " + path);
    return Result<std::string>::Of(std::move(hex));
}

}  // namespace bramble
