// Whether an IP address belongs to the user's own machine or network: loopback
// (127.0.0.0/8, ::1), private (10/8, 172.16/12, 192.168/16), link-local (169.254/16,
// fe80::/10), unique-local and site-local IPv6 (fc00::/7, fec0::/10), and the unspecified
// "this network" addresses (0.0.0.0/8, ::), which reach the machine itself. An IPv4
// address written as IPv6 (::ffff:a.b.c.d) counts as that IPv4 address.
#pragma once

struct sockaddr;

bool IsPrivateAddress(const sockaddr& address);
