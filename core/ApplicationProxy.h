#pragma once

#include <QNetworkProxy>
#include <optional>

struct ProxyOption;

// The proxy the page engine is given for the person's choice; nothing for the desktop's own
// settings (its proxy configuration, the http_proxy variables).
std::optional<QNetworkProxy> applicationProxyFor(const ProxyOption& option);

// Sets that proxy for the process. The engine takes it once, when its profile is made: call
// this before.
void applyProxyOption(const ProxyOption& option);
