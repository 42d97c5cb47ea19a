#pragma once

#include "platform/system_services.h"

namespace hopwick {

// The system services of the operating system that the program runs on, implemented once per system (posix/,
// windows/); the front ends and the test doubles build on it.
class SystemPlatform : public SystemServices {
public:
    std::string shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                             ShowCommand showCommand) override;
    ProgramStart startProgram(const std::string& programFile, ShowCommand windowStyle) override;
    PathSearch findPath(const std::string& path, PathAttributes attributes) override;
    std::string currentDirectory() override;
    std::string programFolder() override;
    bool isInstalledCopy() override;
    std::string userConfigFolder() override;
    std::string joinPath(const std::string& folder, const std::string& name) override;
    bool isOrdinaryFile(const std::string& path) override;
    bool isWritableFolder(const std::string& folder) override;
    FileIdentity identifyFile(const std::string& path) override;
    FileRead readFile(const std::string& path, std::size_t maxBytes) override;
    StorePlace openStorePlace(const std::string& path, bool makeFolder) override;
    std::optional<std::string> encodeCodePage932(std::string_view utf8) override;
    std::optional<std::string> decodeCodePage932(std::string_view bytes) override;
};

} // namespace hopwick
