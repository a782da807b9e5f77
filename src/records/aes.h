#ifndef AES_H
#define AES_H

#include <cstdint>

// AES-128 on single 16-byte blocks, no mode of operation. The block cipher
// itself is OpenSSL's; these functions only keep the key with the context.
struct AesContext
{
    uint8_t key[16];
    uint8_t iv[16]; // kept for callers that pass one; never read
};

void aesInit(AesContext *ctx, const uint8_t *key, const uint8_t *iv);
void aesEncryptBlock(const AesContext *ctx, uint8_t *block);
void aesDecryptBlock(const AesContext *ctx, uint8_t *block);

#endif // AES_H
