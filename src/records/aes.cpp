#include "aes.h"

#include <openssl/evp.h>

#include <cstring>

namespace {

// One block through AES-128-ECB without padding, in place.
void runBlock(const AesContext *ctx, uint8_t *block, bool encrypt)
{
    EVP_CIPHER_CTX *cipher = EVP_CIPHER_CTX_new();
    if (!cipher)
        return;
    uint8_t out[32];
    int outLen = 0;
    if (EVP_CipherInit_ex(cipher, EVP_aes_128_ecb(), nullptr, ctx->key, nullptr, encrypt ? 1 : 0) == 1
        && EVP_CIPHER_CTX_set_padding(cipher, 0) == 1
        && EVP_CipherUpdate(cipher, out, &outLen, block, 16) == 1 && outLen == 16) {
        std::memcpy(block, out, 16);
    }
    EVP_CIPHER_CTX_free(cipher);
}

} // namespace

void aesInit(AesContext *ctx, const uint8_t *key, const uint8_t *iv)
{
    std::memcpy(ctx->key, key, 16);
    std::memcpy(ctx->iv, iv, 16);
}

void aesEncryptBlock(const AesContext *ctx, uint8_t *block)
{
    runBlock(ctx, block, true);
}

void aesDecryptBlock(const AesContext *ctx, uint8_t *block)
{
    runBlock(ctx, block, false);
}
