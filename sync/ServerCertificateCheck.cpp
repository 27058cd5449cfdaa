#include "sync/ServerCertificateCheck.h"
#include <bcrypt.h>
#include <vector>

namespace {

std::wstring Sha256Hex(const BYTE* data, DWORD size) {
    BCRYPT_ALG_HANDLE alg = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return {};
    BYTE digest[32] = {};
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = BCRYPT_SUCCESS(BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0));
    ok = ok && BCRYPT_SUCCESS(BCryptHashData(hash, const_cast<BYTE*>(data), size, 0)) &&
         BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
    if (hash) BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(alg, 0);
    if (!ok) return {};
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring hex;
    for (BYTE b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}

}  // namespace

ServerCertificate DescribeCertificate(PCCERT_CONTEXT cert) {
    ServerCertificate info;
    if (!cert) return info;
    info.thumbprint = Sha256Hex(cert->pbCertEncoded, cert->cbCertEncoded);
    CERT_NAME_BLOB* subject = &cert->pCertInfo->Subject;
    const DWORD flags = CERT_X500_NAME_STR | CERT_NAME_STR_REVERSE_FLAG;
    const DWORD n = CertNameToStrW(X509_ASN_ENCODING, subject, flags, nullptr, 0);
    if (n > 1) {
        std::vector<wchar_t> text(n);
        CertNameToStrW(X509_ASN_ENCODING, subject, flags, text.data(), n);
        info.subject = text.data();
    }
    return info;
}

bool WindowsTrustsCertificate(PCCERT_CONTEXT cert, const std::wstring& host) {
    if (!cert) return false;
    CERT_CHAIN_PARA para{};
    para.cbSize = sizeof para;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!CertGetCertificateChain(nullptr, cert, nullptr, cert->hCertStore, &para, 0, nullptr, &chain)) return false;
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = const_cast<wchar_t*>(host.c_str());
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    const bool ok = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status) &&
                    status.dwError == 0;
    CertFreeCertificateChain(chain);
    return ok;
}
