// SPDX-License-Identifier: GPL-3.0-or-later
// The System Information lookup's needs on a system without a Windows registry: nothing is found.
#include "shell/system.h"

namespace quivara::shell {
namespace {

class NoSystem : public System
{
public:
    RegistryRead readValue(RootKey, const std::string &, const std::string &, std::uint32_t) override
    {
        return RegistryRead{}; // the key cannot be opened
    }
    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &) override { return false; }
    // No message of its own: the program shows it in its own window.
    void showMessage(const std::string &) override {}
};

} // namespace

std::unique_ptr<System> ownSystem()
{
    return std::make_unique<NoSystem>();
}

} // namespace quivara::shell
