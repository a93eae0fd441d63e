// Language files from outside: any bytes as an INI file, then the lookups the plug-in makes
// (every catalogue key into its own buffer, the list file's numbers and names) and the
// line-break step applied to what they return.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/localisation/ini_file.h"
#include "core/localisation/text_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto ini = zr640::IniFile::Parse(std::span<const uint8_t>(data, size));

    for (const auto& entry : zr640::text::Entries()) {
        std::u16string value = ini.GetString(zr640::text::SectionOf(entry.section).name, entry.key,
                                             entry.english, entry.capacity);
        value.resize(entry.capacity, u'\0');
        zr640::text::ShowLineBreaksInPlace(value.data(), value.size());
    }

    (void)ini.GetString(u"LANGUAGE", u"COUNT", u"2", 12);
    for (int i = 0; i < 10; ++i) {
        const auto n = std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
        (void)ini.GetString(u"LANGUAGE", u"Language" + n, u"English", 50);
        (void)ini.GetString(u"LANGUAGE", u"INI" + n, u"ENG_ZR640.res", 20);
    }
    (void)ini.GetString(u"FILEVER", u"INIVERSION", u"99999", 12);

    // Whatever was parsed can be walked.
    for (const auto& section : ini.sections()) {
        for (const auto& entry : section.entries) (void)zr640::text::Find(section.name, entry.key);
    }
    return 0;
}
