#include <winsock2.h>
#include <ws2tcpip.h>
#include "browser/AddressScope.h"
#include <cstring>

namespace {

bool IsPrivateIpv4(const unsigned char (&a)[4]) {
    return a[0] == 0 || a[0] == 10 || a[0] == 127 || (a[0] == 172 && (a[1] & 0xF0) == 16) ||
           (a[0] == 192 && a[1] == 168) || (a[0] == 169 && a[1] == 254);
}

}  // namespace

bool IsPrivateAddress(const sockaddr& address) {
    if (address.sa_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        unsigned char bytes[4];
        std::memcpy(bytes, &v4.sin_addr, sizeof bytes);
        return IsPrivateIpv4(bytes);
    }
    if (address.sa_family != AF_INET6) return false;
    const in6_addr& v6 = reinterpret_cast<const sockaddr_in6&>(address).sin6_addr;
    if (IN6_IS_ADDR_V4MAPPED(&v6)) {
        unsigned char bytes[4];
        std::memcpy(bytes, v6.s6_bytes + 12, sizeof bytes);
        return IsPrivateIpv4(bytes);
    }
    return IN6_IS_ADDR_UNSPECIFIED(&v6) || IN6_IS_ADDR_LOOPBACK(&v6) || IN6_IS_ADDR_LINKLOCAL(&v6) ||
           IN6_IS_ADDR_SITELOCAL(&v6) || (v6.s6_bytes[0] & 0xFE) == 0xFC;
}
