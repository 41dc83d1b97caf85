#pragma once

class ConfigStore;

// Applies the proxy keys of the preference store to the whole process:
// "proxy_type" 0 no proxy; 1 HTTP or 2 SOCKS 5 through "proxy_host" (when not blank),
// "proxy_port", "proxy_user" (as domain\user when "proxy_domain" is set) and
// "proxy_pwd"; 3 the system's proxy configuration; anything else changes nothing.
void applyProxySettings(ConfigStore &store);
