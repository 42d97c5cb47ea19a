#pragma once

#include "platform/platform.h"

namespace hopwick {

// The operations that need no window system: files, paths, code page 932, starting programs and the shell.
// Implemented once per operating system (posix/, win32/); the front ends and the test double build on it.
class SystemPlatform : public Platform {
public:
    void shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                      int showCommand) override;
    ProgramStart startProgram(const std::string& programFile, int windowStyle) override;
    PathSearch findPath(const std::string& path, int attributeMask) override;
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
