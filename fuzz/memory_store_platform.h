#pragma once

#include "windowless_platform.h"

#include <optional>
#include <string>

namespace hopwick::fuzz {

// The quiet platform with the store in memory, so that a fuzzer runs thousands of start-ups a second.
class MemoryStorePlatform final : public testing::WindowlessPlatform {
public:
    MemoryStorePlatform() : WindowlessPlatform("/hopwick") {}

    std::optional<std::string> store; // the file's bytes; nothing when there is none

    bool isOrdinaryFile(const std::string& path) override { return isStore(path) && store.has_value(); }
    bool isWritableFolder(const std::string&) override { return true; }
    bool isInstalledCopy() override { return false; }
    FileIdentity identifyFile(const std::string& path) override {
        return {isStore(path) && store.has_value(), 1, 1, true, 1, 1};
    }
    FileRead readFile(const std::string& path, std::size_t maxBytes) override;
    FileWrite replaceFile(const std::string& path, std::string_view bytes) override;
    void recoverInterruptedSaves(const std::string&) override {}

private:
    bool isStore(const std::string& path) const { return path == "/hopwick/SIS"; }
};

} // namespace hopwick::fuzz
