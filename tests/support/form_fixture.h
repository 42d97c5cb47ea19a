#pragma once

#include "app/main_form.h"
#include "recording_platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace hopwick::testing {

// The 15 default items, as a first run shows them.
inline const std::vector<std::string> kDefaultItems{"NotePad",  "Paint",  "Explorer",  "WordPad", "Calc",
                                                    "Telnet",   "FTP",    "DosPrompt", "defrag",  "Regedit",
                                                    "Scandisk", "Dialer", "Winfile",   "Progman", "Imaging"};

// The 221 bytes of a store holding the default items and no picture.
inline const std::string kDefaultStore =
    "\"NotePad\",\"Paint\",\"Explorer\",\"WordPad\",\"Calc\",\"Telnet\",\"FTP\",\"DosPrompt\",\"defrag\","
    "\"Regedit\",\"Scandisk\",\"Dialer\",\"Winfile\",\"Progman\",\"Imaging\","
    "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
    "\"\","
    "\"\",\"\",\"\"\r\n";

// A store record written out field by field, as a test states what it expects on disk.
std::string storeRecord(const std::vector<std::string>& items, const std::string& picture = "");

// A window over the recording platform, its program folder a fresh temporary folder.
class FormTest : public ::testing::Test {
protected:
    FormTest();
    ~FormTest() override;

    // Starts the window as the program does, then forgets what the start-up recorded.
    void start();
    std::vector<std::string> items() const { return form->List1.entries(); }
    std::string storePath() const { return folder.file("SIS"); }
    std::string storeBytes() const { return folder.read("SIS"); }
    bool storeExists() const { return std::filesystem::exists(storePath()); }
    void writeStore(const std::string& bytes) const { folder.write("SIS", bytes); }
    // A picture file the platform can load: a bitmap's first bytes.
    std::string makePicture(const std::string& name) const { return folder.write(name, "BM picture"); }
    std::string makeFile(const std::string& name) const { return folder.write(name, "content"); }
    std::vector<std::string> messagePrompts() const;
    // How many of the recorded boxes carry this title.
    int boxesTitled(const std::string& title) const;
    // One file dropped on the window, as the shell drops it.
    void dropFile(const std::string& path);

    TempFolder folder;
    RecordingPlatform platform;
    std::unique_ptr<MainForm> form;

private:
    std::filesystem::path savedDirectory_;
};

} // namespace hopwick::testing
