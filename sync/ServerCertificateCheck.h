// What the sync session needs to know about a server's https certificate: its SHA-256
// thumbprint and subject for the user to judge, and whether Windows itself trusts it
// for the host name.
#pragma once
#include "sync/CWebDavSession.h"
#include <windows.h>
#include <wincrypt.h>

ServerCertificate DescribeCertificate(PCCERT_CONTEXT cert);
bool WindowsTrustsCertificate(PCCERT_CONTEXT cert, const std::wstring& host);
