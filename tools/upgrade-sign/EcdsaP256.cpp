#include "EcdsaP256.h"

#include <openssl/bio.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {
template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using KeyContext = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX, EVP_PKEY_CTX_free>>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, Deleter<EVP_MD_CTX, EVP_MD_CTX_free>>;
using Signature = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG, ECDSA_SIG_free>>;
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

const char* const curve = "prime256v1";
const size_t half = 32;

bool IsP256(EVP_PKEY* key) {
    char group[64] = {};
    size_t length = 0;
    return EVP_PKEY_is_a(key, "EC") && EVP_PKEY_get_group_name(key, group, sizeof group, &length) &&
           std::strcmp(group, curve) == 0;
}

// The public key of bytes X‖Y, or null when they are no point of the curve.
Key PublicKeyOf(const P256Bytes& publicKey) {
    unsigned char point[1 + 64] = {4};  // uncompressed
    std::memcpy(point + 1, publicKey.data(), publicKey.size());
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, const_cast<char*>(curve), 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point),
        OSSL_PARAM_construct_end()};
    KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* key = nullptr;
    if (!context || EVP_PKEY_fromdata_init(context.get()) != 1 ||
        EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params) != 1)
        return nullptr;
    return Key(key);
}
}  // namespace

bool GenerateP256KeyPair(std::string& privatePem, P256Bytes& publicKey) {
    Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    Bio pem(BIO_new(BIO_s_mem()));
    unsigned char point[1 + 64] = {};
    size_t length = 0;
    if (!key || !pem ||
        PEM_write_bio_PrivateKey(pem.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) !=
            1 ||
        EVP_PKEY_get_octet_string_param(key.get(), OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point,
                                        &length) != 1 ||
        length != sizeof point || point[0] != 4)
        return false;
    char* text = nullptr;
    const long size = BIO_get_mem_data(pem.get(), &text);
    privatePem.assign(text, static_cast<size_t>(size));
    std::memcpy(publicKey.data(), point + 1, publicKey.size());
    return true;
}

bool SignP256(const std::string& privatePem, std::string_view data, P256Bytes& signature,
              std::string& error) {
    Bio pem(BIO_new_mem_buf(privatePem.data(), static_cast<int>(privatePem.size())));
    Key key(pem ? PEM_read_bio_PrivateKey(pem.get(), nullptr, nullptr, nullptr) : nullptr);
    if (!key || !IsP256(key.get())) {
        error = key ? "not a P-256 key" : "not a PEM private key";
        return false;
    }
    DigestContext context(EVP_MD_CTX_new());
    size_t length = 0;
    if (!context ||
        EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &length,
                       reinterpret_cast<const unsigned char*>(data.data()), data.size()) != 1) {
        error = "signing failed";
        return false;
    }
    std::vector<unsigned char> der(length);
    const unsigned char* read = der.data();
    if (EVP_DigestSign(context.get(), der.data(), &length,
                       reinterpret_cast<const unsigned char*>(data.data()), data.size()) != 1) {
        error = "signing failed";
        return false;
    }
    Signature parsed(d2i_ECDSA_SIG(nullptr, &read, static_cast<long>(length)));
    if (!parsed || BN_bn2binpad(ECDSA_SIG_get0_r(parsed.get()), signature.data(), half) != half ||
        BN_bn2binpad(ECDSA_SIG_get0_s(parsed.get()), signature.data() + half, half) != half) {
        error = "signing failed";
        return false;
    }
    return true;
}

bool VerifyP256(const P256Bytes& publicKey, std::string_view data, const P256Bytes& signature) {
    Key key = PublicKeyOf(publicKey);
    Signature value(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(signature.data(), half, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + half, half, nullptr);
    if (!key || !value || !r || !s || ECDSA_SIG_set0(value.get(), r, s) != 1) {
        BN_free(r);
        BN_free(s);
        return false;
    }
    unsigned char* der = nullptr;
    const int derLength = i2d_ECDSA_SIG(value.get(), &der);
    DigestContext context(EVP_MD_CTX_new());
    const bool valid =
        derLength > 0 && context &&
        EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) == 1 &&
        EVP_DigestVerify(context.get(), der, static_cast<size_t>(derLength),
                         reinterpret_cast<const unsigned char*>(data.data()), data.size()) == 1;
    OPENSSL_free(der);
    return valid;
}
