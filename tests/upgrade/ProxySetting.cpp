#include "ProxySetting.h"

#include "e2e/Registry.h"

namespace {
const char* const settingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char* const enableName = "ProxyEnable";
const char* const serverName = "ProxyServer";
} // namespace

ProxySetting::ProxySetting(const std::string& proxyServer)
{
    enable.existed = e2e::ReadRaw(settingsKey, enableName, enable.type, enable.data);
    server.existed = e2e::ReadRaw(settingsKey, serverName, server.type, server.data);
    e2e::WriteDword(settingsKey, enableName, proxyServer.empty() ? 0 : 1);
    e2e::WriteString(settingsKey, serverName, proxyServer);
}

ProxySetting::~ProxySetting()
{
    for (const auto& [name, saved] : {std::make_pair(enableName, &enable), std::make_pair(serverName, &server)}) {
        if (saved->existed)
            e2e::WriteRaw(settingsKey, name, saved->type, saved->data);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, settingsKey, name);
    }
}
