// ECDSA P-256 with SHA-256 through OpenSSL's libcrypto: the signing side of
// the saver's upgrade check. Public keys and signatures are the 64 raw bytes
// the saver's system cryptography takes (X‖Y, r‖s).
#pragma once
#include <string>
#include <string_view>

#include "upgrade/P256Line.h"

// A new key pair: the private key as PEM (PKCS #8), the public key's bytes.
bool GenerateP256KeyPair(std::string& privatePem, P256Bytes& publicKey);

// Signs the bytes with a PEM private key; false with a reason when the key is
// unreadable or not a P-256 key.
bool SignP256(const std::string& privatePem, std::string_view data, P256Bytes& signature,
              std::string& error);

// Whether the signature of the bytes verifies under the public key.
bool VerifyP256(const P256Bytes& publicKey, std::string_view data, const P256Bytes& signature);
