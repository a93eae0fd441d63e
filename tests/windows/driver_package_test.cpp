// The driver package as the platform's setup functions read it: the INF opens as a version-4
// INF, every section it names is there, every file it copies is listed for each architecture
// and lies in the package folder, and the plug-in's INI names the DLL the package holds.
#include <gtest/gtest.h>

#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/forms/paper_forms.h"

namespace {

constexpr wchar_t kUnidrvCore[] = L"{D20EA372-DD35-4950-9ED8-A6335AFE79F0}";
constexpr wchar_t kPrinterClass[] = L"{4D36E979-E325-11CE-BFC1-08002BE10318}";
const std::vector<std::wstring> kArchitectures = {L"amd64", L"x86"};

// The package folder scripts/package builds, as this process sees it.
std::wstring PackageFolder() {
    std::wstring folder = L"Z:" ZR640_PACKAGE_DIR;
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size() * 3 + 1, '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(),
                                         static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(size > 0 ? static_cast<size_t>(size - 1) : 0);
    return narrow;
}

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring Field(INFCONTEXT& line, DWORD index) {
    wchar_t text[512] = {};
    if (!SetupGetStringFieldW(&line, index, text, 512, nullptr)) return {};
    return text;
}

std::vector<std::wstring> Fields(INFCONTEXT& line) {
    std::vector<std::wstring> fields;
    for (DWORD i = 1; i <= SetupGetFieldCount(&line); ++i) fields.push_back(Field(line, i));
    return fields;
}

class DriverPackageTest : public ::testing::Test {
protected:
    HINF inf = INVALID_HANDLE_VALUE;
    std::wstring package = PackageFolder();

    void SetUp() override {
        UINT errorLine = 0;
        inf = SetupOpenInfFileW((package + L"\\zr640.inf").c_str(), nullptr, INF_STYLE_WIN4,
                                &errorLine);
        ASSERT_NE(inf, INVALID_HANDLE_VALUE)
            << "zr640.inf in " << Narrow(package) << " does not open as a version-4 INF (line "
            << errorLine << ")";
    }
    void TearDown() override {
        if (inf != INVALID_HANDLE_VALUE) SetupCloseInfFile(inf);
    }

    bool HasSection(const std::wstring& name) const {
        return SetupGetLineCountW(inf, name.c_str()) >= 0;
    }
    std::wstring Value(const wchar_t* section, const wchar_t* key) const {
        INFCONTEXT line;
        if (!SetupFindFirstLineW(inf, section, key, &line)) return {};
        return Field(line, 1);
    }
    // Every line of a section: its key (empty when it has none) and its fields.
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> Lines(
        const std::wstring& section) const {
        std::vector<std::pair<std::wstring, std::vector<std::wstring>>> lines;
        INFCONTEXT line;
        if (!SetupFindFirstLineW(inf, section.c_str(), nullptr, &line)) return lines;
        do {
            wchar_t key[256] = {};
            SetupGetStringFieldW(&line, 0, key, 256, nullptr);
            lines.emplace_back(key, Fields(line));
        } while (SetupFindNextLine(&line, &line));
        return lines;
    }
    std::vector<std::wstring> Sections() const {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (UINT i = 0; SetupEnumInfSectionsW(inf, i, name, 256, nullptr); ++i)
            names.push_back(name);
        return names;
    }
    // The model sections: "<models>.<decoration>" for each decoration of each manufacturer.
    std::map<std::wstring, std::wstring> ModelSections() const {
        std::map<std::wstring, std::wstring> byDecoration;
        for (const auto& [manufacturer, fields] : Lines(L"Manufacturer")) {
            for (size_t i = 1; i < fields.size(); ++i)
                byDecoration[Upper(fields[i])] = fields[0] + L"." + fields[i];
        }
        return byDecoration;
    }
    std::set<std::wstring> InstallSections() const {
        std::set<std::wstring> sections;
        for (const auto& [decoration, models] : ModelSections()) {
            for (const auto& [model, fields] : Lines(models)) sections.insert(fields.at(0));
        }
        return sections;
    }
    // The files the install sections copy, upper-cased: "@file" entries and the lines of the
    // named copy-file sections.
    std::set<std::wstring> CopiedFiles() const {
        std::set<std::wstring> files;
        for (const std::wstring& install : InstallSections()) {
            INFCONTEXT line;
            if (!SetupFindFirstLineW(inf, install.c_str(), L"CopyFiles", &line)) continue;
            for (const std::wstring& entry : Fields(line)) {
                if (entry.starts_with(L"@")) {
                    files.insert(Upper(entry.substr(1)));
                    continue;
                }
                for (const auto& [key, fields] : Lines(entry))
                    files.insert(Upper(fields.empty() ? key : fields.at(0)));
            }
        }
        return files;
    }
    std::vector<std::wstring> CopyFileSections() const {
        std::vector<std::wstring> sections;
        for (const std::wstring& install : InstallSections()) {
            INFCONTEXT line;
            if (!SetupFindFirstLineW(inf, install.c_str(), L"CopyFiles", &line)) continue;
            for (const std::wstring& entry : Fields(line))
                if (!entry.starts_with(L"@")) sections.push_back(entry);
        }
        return sections;
    }
    // The package-relative folder of each disk of an architecture ("" for the top).
    std::map<std::wstring, std::wstring> Disks(const std::wstring& arch) const {
        std::map<std::wstring, std::wstring> disks;
        for (const auto& [id, fields] : Lines(L"SourceDisksNames." + arch))
            disks[id] = fields.size() >= 4 ? fields[3] : L"";
        return disks;
    }
};

TEST_F(DriverPackageTest, VersionSectionIsAPrinterClassPackage) {
    EXPECT_EQ(Value(L"Version", L"Signature"), L"$Windows NT$");
    EXPECT_EQ(Value(L"Version", L"Class"), L"Printer");
    EXPECT_EQ(Upper(Value(L"Version", L"ClassGUID")), kPrinterClass);
    EXPECT_FALSE(Value(L"Version", L"Provider").empty());
    EXPECT_FALSE(Value(L"Version", L"CatalogFile").empty());
    // DriverVer: a date, then a four-part version.
    INFCONTEXT line;
    ASSERT_TRUE(SetupFindFirstLineW(inf, L"Version", L"DriverVer", &line));
    const std::wstring date = Field(line, 1), version = Field(line, 2);
    EXPECT_EQ(date.size(), 10u);
    EXPECT_EQ(std::count(date.begin(), date.end(), L'/'), 2);
    EXPECT_EQ(std::count(version.begin(), version.end(), L'.'), 3);
}

TEST_F(DriverPackageTest, BothArchitecturesInstallTheSameSection) {
    const auto models = ModelSections();
    ASSERT_TRUE(models.contains(L"NTAMD64"));
    ASSERT_TRUE(models.contains(L"NTX86"));
    std::vector<std::vector<std::wstring>> perArch;
    for (const wchar_t* decoration : {L"NTAMD64", L"NTX86"}) {
        const std::wstring& section = models.at(decoration);
        ASSERT_TRUE(HasSection(section)) << "no model section " << Narrow(section);
        std::vector<std::wstring> installs;
        for (const auto& [model, fields] : Lines(section)) {
            ASSERT_GE(fields.size(), 2u) << "a model line needs an install section and an id";
            installs.push_back(fields[0] + L"|" + fields[1]);
        }
        EXPECT_FALSE(installs.empty());
        perArch.push_back(installs);
    }
    EXPECT_EQ(perArch[0], perArch[1]);
}

TEST_F(DriverPackageTest, EverySectionNamedIsThere) {
    for (const auto& [decoration, section] : ModelSections())
        EXPECT_TRUE(HasSection(section)) << "model section missing: " << Narrow(section);
    for (const std::wstring& install : InstallSections()) {
        EXPECT_TRUE(HasSection(install)) << "install section missing: " << Narrow(install);
        EXPECT_EQ(Value(install.c_str(), L"DataFile"), L"ZR640.gpd");
    }
    for (const std::wstring& section : CopyFileSections()) {
        EXPECT_TRUE(HasSection(section)) << "copy-file section missing: " << Narrow(section);
        // Each copy-file section goes to the printer-driver folder.
        EXPECT_EQ(Value(L"DestinationDirs", section.c_str()), L"66000");
    }
    for (const auto& [key, fields] : Lines(L"DestinationDirs")) {
        if (key == L"DefaultDestDir") continue;
        EXPECT_TRUE(HasSection(key)) << "no section " << Narrow(key);
    }
    for (const std::wstring& arch : kArchitectures) {
        const auto disks = Disks(arch);
        EXPECT_FALSE(disks.empty());
        for (const auto& [file, fields] : Lines(L"SourceDisksFiles." + arch))
            EXPECT_TRUE(disks.contains(fields.at(0))) << "no disk named for " << Narrow(file);
    }
}

TEST_F(DriverPackageTest, BuildsOnTheUnidrvCoreDriverAsAPackageAwareDriver) {
    for (const std::wstring& install : InstallSections()) {
        INFCONTEXT line;
        ASSERT_TRUE(SetupFindFirstLineW(inf, install.c_str(), L"CoreDriverSections", &line));
        // One quoted field per core driver: its GUID, then the sections of its INF to run.
        const std::vector<std::wstring> cores = Fields(line);
        ASSERT_EQ(cores.size(), 1u);
        std::vector<std::wstring> core;
        for (size_t from = 0; from <= cores[0].size();) {
            const size_t comma = std::min(cores[0].find(L',', from), cores[0].size());
            std::wstring part = cores[0].substr(from, comma - from);
            std::erase(part, L' ');
            core.push_back(part);
            from = comma + 1;
        }
        ASSERT_GE(core.size(), 2u);
        EXPECT_EQ(Upper(core[0]), kUnidrvCore);
        EXPECT_NE(std::find(core.begin(), core.end(), L"UNIDRV.OEM"), core.end());
        // The core driver's sections live in the platform's INF, never in this one.
        for (size_t i = 1; i < core.size(); ++i) EXPECT_FALSE(HasSection(core[i]));
        // Files come from the core driver, not through the old Include/Needs pair.
        EXPECT_FALSE(SetupFindFirstLineW(inf, install.c_str(), L"Include", &line));
        EXPECT_FALSE(SetupFindFirstLineW(inf, install.c_str(), L"Needs", &line));
    }
    for (const std::wstring& arch : kArchitectures) {
        const std::wstring section = L"PrinterPackageInstallation." + arch;
        EXPECT_EQ(Upper(Value(section.c_str(), L"PackageAware")), L"TRUE");
        EXPECT_EQ(Upper(Value(section.c_str(), L"CoreDriverDependencies")), kUnidrvCore);
    }
}

TEST_F(DriverPackageTest, SectionNamesAreTheDriversOwn) {
    // Sections of the package's own making carry the model's prefix, so none can be one that
    // the platform's printer INF already has; the rest are the INF format's own names.
    const std::set<std::wstring> standard = {L"VERSION", L"MANUFACTURER", L"DESTINATIONDIRS",
                                             L"STRINGS"};
    for (const std::wstring& name : Sections()) {
        const std::wstring upper = Upper(name);
        const bool own = upper.starts_with(L"ZR640_") || standard.contains(upper) ||
                         upper.starts_with(L"SOURCEDISKSNAMES.") ||
                         upper.starts_with(L"SOURCEDISKSFILES.") ||
                         upper.starts_with(L"PRINTERPACKAGEINSTALLATION.");
        EXPECT_TRUE(own) << "section of a foreign name: " << Narrow(upper);
    }
    EXPECT_GE(Sections().size(), 10u);
}

TEST_F(DriverPackageTest, EveryCopiedFileIsListedAndInThePackage) {
    const std::set<std::wstring> copied = CopiedFiles();
    for (const wchar_t* needed :
         {L"ZR640UI.DLL", L"ZR640UI.INI", L"ZR640.GPD", L"LANGUAGE_ZR640.DAT", L"ENG_ZR640.RES",
          L"CHN_ZR640.RES", L"CHF_ZR640.RES", L"RZKDRIVERLOGVIEWER.EXE", L"ENG.INI"}) {
        EXPECT_TRUE(copied.contains(needed)) << "not copied: " << Narrow(needed);
    }
    for (const std::wstring& arch : kArchitectures) {
        const auto disks = Disks(arch);
        std::set<std::wstring> listed;
        for (const auto& [file, fields] : Lines(L"SourceDisksFiles." + arch)) {
            listed.insert(Upper(file));
            const auto disk = disks.find(fields.at(0));
            if (disk == disks.end()) continue;  // reported by EverySectionNamedIsThere
            const std::wstring path = package + disk->second + L"\\" + file;
            EXPECT_TRUE(FileExists(path)) << "missing from the package: " << Narrow(path);
        }
        for (const std::wstring& file : copied) {
            EXPECT_TRUE(listed.contains(file))
                << Narrow(arch) << " lists no source of " << Narrow(file);
        }
        // Nothing in the architecture's folder that the INF does not install.
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((package + L"\\" + arch + L"\\*").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no folder " << Narrow(arch);
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::wstring name = Upper(found.cFileName);
            EXPECT_TRUE(copied.contains(name) && listed.contains(name))
                << "not installed by the INF: " << Narrow(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}

TEST_F(DriverPackageTest, PluginIniNamesThePackagedPlugin) {
    const std::wstring ini = package + L"\\ZR640UI.ini";
    ASSERT_TRUE(FileExists(ini));
    wchar_t config[MAX_PATH] = {};
    GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", config, MAX_PATH, ini.c_str());
    EXPECT_STREQ(config, L"ZR640UI.dll");
    for (const std::wstring& arch : kArchitectures)
        EXPECT_TRUE(FileExists(package + L"\\" + arch + L"\\" + config));
    EXPECT_TRUE(CopiedFiles().contains(Upper(config)));
    // Numbers start at 1 and run on; the rendering plug-in's line is the driver maker's.
    wchar_t second[MAX_PATH] = {};
    GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile2", L"", second, MAX_PATH, ini.c_str());
    EXPECT_STREQ(second, L"");
}

// The GPD's text, and a PAIR(x, y) attribute's numbers after the first occurrence of `after`.
std::string GpdText(const std::wstring& package) {
    std::ifstream file(std::filesystem::path(package + L"\\ZR640.gpd"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::pair<long, long> Pair(const std::string& gpd, const std::string& after,
                           const std::string& attribute) {
    const size_t from = gpd.find(after);
    const size_t at = gpd.find(attribute + ": PAIR(", from == std::string::npos ? 0 : from);
    if (from == std::string::npos || at == std::string::npos) return {-1, -1};
    const char* numbers = gpd.c_str() + at + attribute.size() + 7;
    char* end = nullptr;
    const long x = std::strtol(numbers, &end, 10);
    return {x, std::strtol(end + 1, nullptr, 10)};
}

// Master units are dots at 203 dpi; lengths here are in tenths of a millimetre.
long TenthsMm(long dots) { return dots * 254 / 203; }

TEST_F(DriverPackageTest, GpdDescribesWhatThePagesOffer) {
    const std::string gpd = GpdText(package);
    ASSERT_FALSE(gpd.empty());
    EXPECT_NE(gpd.find("*Include: \"StdNames.gpd\""), std::string::npos);
    EXPECT_NE(gpd.find("*ModelName: \"ZR640\""), std::string::npos);
    EXPECT_EQ(Pair(gpd, "*MasterUnits", "*MasterUnits"), std::make_pair(203L, 203L));
    EXPECT_EQ(Pair(gpd, "*Feature: Resolution", "*DPI"), std::make_pair(203L, 203L));

    // Roll paper 80 x 297 mm, to the dot.
    const auto roll = Pair(gpd, "*Option: Roll80", "*PageDimensions");
    EXPECT_NEAR(TenthsMm(roll.first), 800, 2);
    EXPECT_NEAR(TenthsMm(roll.second), 2970, 2);

    // Every user form the Utility page can save fits the custom size range.
    const auto least = Pair(gpd, "*Option: CUSTOMSIZE", "*MinSize");
    const auto most = Pair(gpd, "*Option: CUSTOMSIZE", "*MaxSize");
    EXPECT_LE(TenthsMm(least.first), static_cast<long>(zr640::kMinFormWidth));
    EXPECT_LE(TenthsMm(least.second), static_cast<long>(zr640::kMinFormHeight));
    EXPECT_GE(TenthsMm(most.first), static_cast<long>(zr640::kMaxFormWidth));
    EXPECT_GE(TenthsMm(most.second), static_cast<long>(zr640::kMaxFormHeight));

    // The plug-in finds the density option by the word in its first option's name.
    const size_t density = gpd.find("*Feature: PrintDensity");
    ASSERT_NE(density, std::string::npos);
    const size_t firstName = gpd.find("*Name: \"", gpd.find("*Option:", density));
    ASSERT_NE(firstName, std::string::npos);
    EXPECT_EQ(gpd.compare(firstName + 8, 7, "Density"), 0);
}

}  // namespace
