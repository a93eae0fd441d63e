// Checks the plug-in's resource script against the identifiers, kinds and styles that the page
// code relies on, by reading resource.h and zr640ui.rc as text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kResources =
    std::filesystem::path(ZR640_TEST_DATA).parent_path().parent_path() / "plugin" / "resources";

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Trim(std::string s) {
    const auto first = s.find_first_not_of(" \t\r");
    const auto last = s.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string{} : s.substr(first, last - first + 1);
}

// Comma-separated arguments, trimmed; a quoted argument is its text between the quotes.
std::vector<std::string> SplitArgs(const std::string& s) {
    std::vector<std::string> args;
    std::string plain, quotedText;
    bool quoted = false, wasQuoted = false;
    auto finish = [&] {
        args.push_back(wasQuoted ? quotedText : Trim(plain));
        plain.clear();
        quotedText.clear();
        wasQuoted = false;
    };
    for (char c : s) {
        if (c == '"') {
            quoted = !quoted;
            wasQuoted = true;
        } else if (quoted) {
            quotedText += c;
        } else if (c == ',') {
            finish();
        } else {
            plain += c;
        }
    }
    finish();
    return args;
}

std::set<std::string> StyleTokens(const std::string& style) {
    std::set<std::string> tokens;
    std::istringstream in(style);
    std::string word;
    bool negate = false;
    while (in >> word) {
        if (word == "|") continue;
        if (word == "NOT") {
            negate = true;
            continue;
        }
        tokens.insert(negate ? "NOT " + word : word);
        negate = false;
    }
    return tokens;
}

struct Control {
    std::string text, idName, className;
    int id = 0;
    std::set<std::string> style;
    int x = 0, y = 0, cx = 0, cy = 0;
    bool Has(const std::string& token) const { return style.count(token) != 0; }
    bool Hidden() const { return Has("NOT WS_VISIBLE"); }
};

struct Dialog {
    int width = 0, height = 0;
    std::set<std::string> style;
    std::string caption, font;
    std::vector<Control> controls;
    std::vector<std::string> otherStatements;  // anything that is not a CONTROL statement
};

struct Script {
    std::map<std::string, int> ids;  // resource.h plus the windows.h names used
    std::map<int, Dialog> dialogs;
    std::map<int, std::string> bitmaps, icons;  // id -> file
    std::optional<int> manifest;

    int Id(const std::string& token) const {
        if (auto it = ids.find(token); it != ids.end()) return it->second;
        return std::stoi(token);  // a plain number
    }
};

Script Load() {
    Script s;
    s.ids = {{"IDOK", 1}, {"IDCANCEL", 2}};
    std::istringstream header(ReadText(kResources / "resource.h"));
    for (std::string line; std::getline(header, line);) {
        std::istringstream in(line.substr(0, line.find("//")));
        std::string define, name, value;
        if (in >> define >> name >> value && define == "#define")
            s.ids[name] = std::stoi(value == "(-1)" ? "-1" : value);
    }
    std::istringstream rc(ReadText(kResources / "zr640ui.rc"));
    Dialog* dialog = nullptr;
    bool inBody = false;
    for (std::string line; std::getline(rc, line);) {
        line = Trim(line);
        if (line.empty() || line.starts_with("//") || line.starts_with("#")) continue;
        std::istringstream in(line);
        std::string first, second;
        in >> first >> second;
        if (inBody) {
            if (line == "END") {
                inBody = false;
                dialog = nullptr;
                continue;
            }
            if (first != "CONTROL") {
                dialog->otherStatements.push_back(line);
                continue;
            }
            const auto a = SplitArgs(line.substr(8));
            if (a.size() < 8) {
                dialog->otherStatements.push_back(line);
                continue;
            }
            dialog->controls.push_back({a[0], a[1], a[2], s.Id(a[1]), StyleTokens(a[3]),
                                        std::stoi(a[4]), std::stoi(a[5]), std::stoi(a[6]),
                                        std::stoi(a[7])});
        } else if (second == "DIALOGEX") {
            const auto a = SplitArgs(line.substr(line.find("DIALOGEX") + 8));
            dialog = &s.dialogs[s.Id(first)];
            dialog->width = std::stoi(a.at(2));
            dialog->height = std::stoi(a.at(3));
        } else if (dialog && first == "STYLE") {
            dialog->style = StyleTokens(line.substr(5));
        } else if (dialog && first == "CAPTION") {
            dialog->caption = SplitArgs(line.substr(7)).at(0);
        } else if (dialog && first == "FONT") {
            const auto a = SplitArgs(line.substr(4));
            dialog->font = a.at(0) + " " + a.at(1);
        } else if (dialog && first == "BEGIN") {
            inBody = true;
        } else if (second == "BITMAP" || second == "ICON") {
            auto& table = second == "BITMAP" ? s.bitmaps : s.icons;
            table[s.Id(first)] = SplitArgs(line.substr(line.find('"'))).at(0);
        } else if (second == "RT_MANIFEST") {
            s.manifest = s.Id(first);
        }
    }
    return s;
}

const Script& Rc() {
    static const Script script = Load();
    return script;
}

// The kind of a control, from its window class and button or static style.
std::string KindOf(const Control& c) {
    const std::map<std::string, std::string> classes = {{"Edit", "edit"},
                                                        {"ListBox", "list"},
                                                        {"msctls_updown32", "spin"},
                                                        {"msctls_trackbar32", "slider"},
                                                        {"SysListView32", "listview"},
                                                        {"SysTreeView32", "tree"}};
    if (auto it = classes.find(c.className); it != classes.end()) return it->second;
    const std::pair<const char*, const char*> styles[] = {
        {"BS_GROUPBOX", "group"},       {"BS_PUSHBUTTON", "button"},
        {"BS_DEFPUSHBUTTON", "button"}, {"BS_AUTORADIOBUTTON", "radio"},
        {"BS_AUTOCHECKBOX", "check"},   {"SS_BITMAP", "picture"},
        {"SS_BLACKFRAME", "frame"},     {"SS_LEFT", "label"},
        {"SS_LEFTNOWORDWRAP", "label"}, {"CBS_DROPDOWNLIST", "droplist"},
        {"CBS_DROPDOWN", "combo"}};
    for (const auto& [style, kind] : styles)
        if (c.Has(style)) return kind;
    return "?";
}

// What a template must hold. `controls` lists entries "id kind [flag...] ["caption"]",
// separated by ';'; a caption is given where the template's text is what the user sees.
// Flags: hidden, disabled, readonly, digits, centered, multiline, notify, buddy=<edit id>,
// bitmap=<id>. Id -1 entries are matched by their caption.
struct Expected {
    int id;
    const char* caption;  // nullptr: set at run time
    int width, height;    // 0: the layout's own
    bool page;            // property page, else a modal dialog
    const char* controls;
    std::vector<std::vector<int>> radioSets;
};

const std::vector<Expected>& Templates() {
    static const std::vector<Expected> templates = {
        {128,
         "Main",
         275,
         217,
         true,
         "1119 group; 1120 label; 1061 radio; 1062 radio; 1073 check; 1121 label disabled;"
         "1047 edit digits centered; 1076 spin buddy=1047; 1124 group hidden; 1070 radio hidden;"
         "1071 radio hidden; 1072 picture hidden bitmap=129; 1074 picture hidden bitmap=130;"
         "1122 label; 1020 droplist; 1123 label; 1021 droplist;"
         "1049 button hidden \"Update Language From Web\"; 1209 group; 1208 check;"
         "1052 edit readonly; 1210 button; 1211 button",
         {{1061, 1062}, {1070, 1071}}},
        {131,
         "Water Mark",
         272,
         218,
         true,
         "1077 radio; 1061 radio; 1078 radio; 1171 label; 1047 edit readonly; 1049 button;"
         "1156 label; 1020 combo; 1157 label; 1021 droplist; 1158 label; 1022 droplist;"
         "1168 label; 1052 edit digits; 1080 spin buddy=1052; 1159 label; 1018 slider;"
         "1081 label; 1160 label; 1023 droplist; 1162 label; 1082 slider; 1084 label;"
         "1161 label; 1083 slider; 1086 label; 1085 frame",
         {{1077, 1061, 1078}}},
        {103,
         "Operation",
         0,
         0,
         true,
         "1011 button; 1012 button; 1013 button; 1014 button; 1142 label; 1143 label;"
         "1144 label; 1145 label",
         {}},
        {104,
         nullptr,
         227,
         276,
         false,
         "1015 check; 1016 edit; 1025 radio; 1017 droplist; 1026 radio; 1032 droplist;"
         "1121 label; 1027 droplist; 1024 edit digits; 1035 spin buddy=1024;"
         "-1 label \" [ 0 .. 255 ]\"; 1103 label hidden; 1122 label; 1021 edit digits;"
         "1022 spin buddy=1021; -1 label \"mm [ 0 .. 100 ]\"; 1023 check; 1019 label;"
         "1020 droplist; 1207 frame; 1123 label; 1028 droplist; 1124 label; 1029 radio;"
         "1030 radio; 1031 radio; 1125 label; 1033 radio; 1034 radio; 3 button; 1 button;"
         "2 button",
         {{1025, 1026}, {1029, 1030, 1031}, {1033, 1034}}},
        {117,
         nullptr,
         0,
         0,
         true,
         "1126 label; 1020 droplist; 1127 label; 1022 droplist; 1130 label hidden; 1172 group;"
         "1128 label; 1206 edit digits; 1053 spin buddy=1206; 1062 label; 1129 label;"
         "1205 edit digits; 1054 spin buddy=1205; 1063 label; 1131 label; 1023 droplist;"
         "1132 label; 1060 radio; 1061 radio; 1052 edit readonly; 1183 label \"mm\";"
         "1055 edit readonly; 1170 label; 1173 group hidden; 1174 label hidden; 1099 radio hidden;"
         "1100 radio hidden; 1175 label hidden; 1049 edit digits hidden;"
         "1056 spin buddy=1049 hidden; 1064 label hidden \"[ 1 . . 6 ]\"; 1176 label hidden;"
         "1050 edit digits hidden; 1057 spin buddy=1050 hidden;"
         "1065 label hidden \"[ 2 . . 250 ]\"; 1177 label hidden;"
         "1051 edit digits disabled hidden; 1058 spin buddy=1051 disabled hidden;"
         "1067 label hidden \"[ 1 . . 10 ]\"; 1178 label hidden; 1059 edit digits hidden;"
         "1066 spin buddy=1059 hidden; 1068 label hidden \"[ 1 . . 10 ]\"; 1179 label hidden;"
         "1025 droplist hidden; 1180 label hidden; 1026 droplist disabled hidden; 1181 group;"
         "1182 label; 1104 edit; 1036 button",
         {{1060, 1061}, {1099, 1100}}},
        {118,
         nullptr,
         0,
         0,
         true,
         "1133 label; 1201 droplist; 1134 label; 1202 droplist; 1136 label; 1055 edit readonly;"
         "1135 label; 1195 group; 1137 label; 1049 edit digits; 1056 spin buddy=1049; 1064 label;"
         "1138 label; 1203 edit digits; 1053 spin buddy=1203; 1062 label; 1139 label;"
         "1050 edit digits; 1057 spin buddy=1050; 1065 label; 1140 label; 1204 edit digits;"
         "1054 spin buddy=1204; 1063 label; 1141 label; 1023 droplist; 1192 group hidden;"
         "1184 label hidden; 1097 radio hidden; 1098 radio hidden; 1185 label hidden;"
         "1051 edit digits hidden; 1058 spin buddy=1051 hidden; 1066 label hidden \"[ 1 . . 6 ]\";"
         "1186 label hidden; 1059 edit digits disabled hidden;"
         "1060 spin buddy=1059 disabled hidden; 1069 label hidden \"[ 1 . . 10 ]\";"
         "1187 label hidden; 1052 edit digits hidden; 1076 spin buddy=1052 hidden;"
         "1067 label hidden \"[ 2 . . 250 ]\"; 1188 label hidden; 1061 edit digits hidden;"
         "1068 spin buddy=1061 hidden; 1070 label hidden \"[ 1 . . 10 ]\"; 1189 label hidden;"
         "1078 edit digits disabled hidden; 1079 spin buddy=1078 disabled hidden;"
         "1080 label hidden \"[ 2 . . 20 ]\"; 1190 label hidden; 1024 droplist hidden;"
         "1191 label hidden; 1025 droplist disabled hidden; 1196 group hidden; 1197 label hidden;"
         "1071 edit digits hidden; 1072 spin buddy=1071 hidden;"
         "1073 label hidden \"[ 1 . . 24 ]\"; 1198 label hidden; 1026 droplist hidden;"
         "1199 label hidden; 1027 droplist hidden; 1200 label hidden; 1028 droplist hidden;"
         "1193 group; 1194 label; 1107 edit; 1106 button",
         {{1097, 1098}}},
        {114,
         nullptr,
         0,
         0,
         true,
         "1036 button; 1151 label; 1152 label; 1169 group; 1094 list notify; 1049 button;"
         "1153 label; 1052 edit; 1154 label; 1047 edit digits; 1053 spin buddy=1047;"
         "1057 label \"[ 410 - 580 (0.1mm) ]\"; 1155 label; 1048 edit digits;"
         "1054 spin buddy=1048; 1058 label; 1046 button;"
         "1045 button \"Control Font\"; 1156 label \"Control Font Setting\";"
         "1157 label \"Edit control font character translation table\"",
         {}},
        {115,
         "Control Font Character Translation Table",
         0,
         0,
         false,
         "-1 label \"Driver Name:\"; 1047 edit readonly; 1048 listview; 1016 button \"Edit\";"
         "1036 button \"Delete\"; 1 button \"OK\"; 2 button \"Cancel\"",
         {}},
        {116,
         "Control Font Character Translator",
         0,
         0,
         false,
         "-1 label \"Char\"; 1047 edit readonly; -1 label \"Hex\"; 1048 edit readonly;"
         "-1 label \"Command\"; 1052 edit multiline; 1 button \"OK\"; 2 button \"Cancel\"",
         {}},
        {113,
         nullptr,
         0,
         0,
         true,
         "1163 group; 1146 label; 1039 edit readonly; 1040 button; 1036 button disabled;"
         "1164 group; 1041 listview; 1042 button; 1043 button; 1044 button disabled;"
         "1045 button; 1046 frame; 1165 group; 1087 radio disabled; 1061 radio disabled;"
         "1088 radio disabled; 1166 group; 1089 radio; 1090 radio; 1091 radio; 1092 radio;"
         "1167 group; 1147 label; 1095 slider; 1096 label \"0\"; 1148 label; 1083 slider;"
         "1086 label \"0\"; 1149 label",
         {{1087, 1061, 1088}, {1089, 1090, 1091, 1092}}},
        {119, nullptr, 0, 0, true, "1150 label; 1069 tree", {}},
        {105,
         nullptr,
         0,
         0,
         true,
         "1109 label; 1110 label; 1111 label; 1112 label; 1113 label; 1114 label; 1115 label;"
         "1116 label; 1117 label",
         {}},
    };
    return templates;
}

struct ExpectedControl {
    int id = 0;
    std::string kind;
    std::set<std::string> flags;
    std::optional<int> buddy, bitmap;
    std::optional<std::string> caption;
};

std::vector<ExpectedControl> ParseControls(const std::string& spec) {
    std::vector<ExpectedControl> out;
    std::istringstream entries(spec);
    for (std::string entry; std::getline(entries, entry, ';');) {
        ExpectedControl e;
        if (const auto quote = entry.find('"'); quote != std::string::npos) {
            e.caption = entry.substr(quote + 1, entry.rfind('"') - quote - 1);
            entry.resize(quote);
        }
        std::istringstream in(entry);
        in >> e.id >> e.kind;
        for (std::string flag; in >> flag;) {
            if (flag.starts_with("buddy="))
                e.buddy = std::stoi(flag.substr(6));
            else if (flag.starts_with("bitmap="))
                e.bitmap = std::stoi(flag.substr(7));
            else
                e.flags.insert(flag);
        }
        out.push_back(e);
    }
    return out;
}

const Control* Find(const Dialog& d, const ExpectedControl& e) {
    for (const auto& c : d.controls)
        if (c.id == e.id && (e.id != -1 || c.text == e.caption)) return &c;
    return nullptr;
}

size_t IndexOf(const Dialog& d, int id) {
    for (size_t i = 0; i < d.controls.size(); ++i)
        if (d.controls[i].id == id) return i;
    return d.controls.size();
}

void PrintTo(const Expected& t, std::ostream* os) { *os << "template " << t.id; }

class TemplateTest : public ::testing::TestWithParam<Expected> {};

TEST_P(TemplateTest, FrameFontAndCaption) {
    const Expected& t = GetParam();
    ASSERT_TRUE(Rc().dialogs.count(t.id)) << "template " << t.id << " is missing";
    const Dialog& d = Rc().dialogs.at(t.id);
    EXPECT_EQ(d.font, "8 MS Shell Dlg");
    EXPECT_TRUE(d.style.count("DS_SETFONT"));
    EXPECT_TRUE(d.style.count("WS_CAPTION"));
    EXPECT_TRUE(d.style.count(t.page ? "WS_CHILD" : "WS_POPUP"));
    EXPECT_FALSE(d.style.count(t.page ? "WS_POPUP" : "WS_CHILD"));
    if (t.caption) {
        EXPECT_EQ(d.caption, t.caption);
    }
    if (t.width) {
        EXPECT_EQ(d.width, t.width);
    }
    if (t.height) {
        EXPECT_EQ(d.height, t.height);
    }
    // Every control spells out its style: the short forms keep different default styles in
    // windres and rc.exe.
    EXPECT_TRUE(d.otherStatements.empty()) << d.otherStatements.front();
}

TEST_P(TemplateTest, ControlsHaveTheirKindsAndStyles) {
    const Expected& t = GetParam();
    const Dialog& d = Rc().dialogs.at(t.id);
    const auto expected = ParseControls(t.controls);
    for (const auto& e : expected) {
        SCOPED_TRACE("template " + std::to_string(t.id) + ", control " + std::to_string(e.id));
        const Control* c = Find(d, e);
        ASSERT_NE(c, nullptr) << "missing";
        EXPECT_EQ(KindOf(*c), e.kind);
        EXPECT_EQ(c->Hidden(), e.flags.count("hidden") != 0);
        EXPECT_EQ(c->Has("WS_DISABLED"), e.flags.count("disabled") != 0);
        EXPECT_EQ(c->Has("ES_READONLY"), e.flags.count("readonly") != 0);
        EXPECT_EQ(c->Has("ES_NUMBER"), e.flags.count("digits") != 0);
        EXPECT_EQ(c->Has("ES_CENTER"), e.flags.count("centered") != 0);
        EXPECT_EQ(c->Has("ES_MULTILINE"), e.flags.count("multiline") != 0);
        if (e.caption) {
            EXPECT_EQ(c->text, *e.caption);
        }
        if (e.bitmap) {
            EXPECT_EQ(Rc().Id(c->text), *e.bitmap);
        }
        if (e.kind == "edit") {
            // A single-line box takes text longer than itself and scrolls it; a multi-line box
            // wraps it instead.
            EXPECT_EQ(c->Has("ES_AUTOHSCROLL"), !c->Has("ES_MULTILINE"));
        }
        if (e.kind == "list") {
            EXPECT_EQ(c->Has("LBS_NOTIFY"), e.flags.count("notify") != 0);
            EXPECT_FALSE(c->Has("LBS_SORT"));
        }
        if (e.kind == "listview") {
            EXPECT_TRUE(c->Has("LVS_REPORT"));
        }
        if (e.kind == "tree") {
            for (const char* s :
                 {"TVS_HASBUTTONS", "TVS_HASLINES", "TVS_LINESATROOT", "TVS_FULLROWSELECT"})
                EXPECT_TRUE(c->Has(s)) << s;
        }
        if (e.kind == "spin") {
            // An up-down takes the control before it as its buddy.
            ASSERT_TRUE(e.buddy.has_value());
            const size_t at = IndexOf(d, e.id);
            ASSERT_GT(at, 0u);
            EXPECT_EQ(d.controls[at - 1].id, *e.buddy);
            EXPECT_TRUE(c->Has("UDS_AUTOBUDDY") && c->Has("UDS_SETBUDDYINT"));
        }
    }
    // Nothing beyond the list, and no number twice.
    std::set<int> listed, seen;
    for (const auto& e : expected) listed.insert(e.id);
    for (const auto& c : d.controls) {
        if (c.id == -1) continue;
        EXPECT_TRUE(listed.count(c.id)) << "unexpected control " << c.idName;
        EXPECT_TRUE(seen.insert(c.id).second) << "control " << c.id << " appears twice";
    }
}

TEST_P(TemplateTest, RadioSetsAreGroupsOfTheirOwn) {
    const Expected& t = GetParam();
    const Dialog& d = Rc().dialogs.at(t.id);
    // Windows' own group rule: WS_GROUP starts a group that runs to the next WS_GROUP.
    auto startsGroup = [&](size_t i) { return d.controls[i].Has("WS_GROUP"); };
    for (const auto& set : t.radioSets) {
        const size_t first = IndexOf(d, set.front()), last = IndexOf(d, set.back());
        ASSERT_LT(last, d.controls.size());
        EXPECT_TRUE(startsGroup(first)) << set.front();
        for (size_t i = first + 1; i <= last; ++i)
            EXPECT_FALSE(startsGroup(i)) << d.controls[i].idName;
        for (int id : set) {
            const size_t at = IndexOf(d, id);
            EXPECT_TRUE(at >= first && at <= last) << id << " lies outside its set";
        }
        if (last + 1 < d.controls.size()) {
            EXPECT_TRUE(startsGroup(last + 1)) << d.controls[last + 1].idName;
        }
    }
}

TEST_P(TemplateTest, ControlsLieInsideThePage) {
    const Expected& t = GetParam();
    const Dialog& d = Rc().dialogs.at(t.id);
    for (const auto& c : d.controls) {
        const int height = c.className == "ComboBox" ? 12 : c.cy;  // cy includes the drop-down
        EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.cx <= d.width && c.y + height <= d.height)
            << c.idName << " leaves the page";
    }
}

INSTANTIATE_TEST_SUITE_P(Plugin, TemplateTest, ::testing::ValuesIn(Templates()),
                         [](const auto& p) { return "Template" + std::to_string(p.param.id); });

TEST(ResourceScript, HoldsExactlyTheTemplatesBitmapsIconsAndManifest) {
    std::set<int> dialogs;
    for (const auto& [id, d] : Rc().dialogs) dialogs.insert(id);
    EXPECT_EQ(dialogs, (std::set<int>{103, 104, 105, 113, 114, 115, 116, 117, 118, 119, 128, 131}));
    std::set<int> bitmaps, icons;
    for (const auto& [id, file] : Rc().bitmaps) bitmaps.insert(id);
    for (const auto& [id, file] : Rc().icons) icons.insert(id);
    std::set<int> expectedBitmaps{129, 130};
    for (int id = 136; id <= 149; ++id) expectedBitmaps.insert(id);
    EXPECT_EQ(bitmaps, expectedBitmaps);
    EXPECT_EQ(icons, (std::set<int>{125, 126, 127}));
    EXPECT_EQ(Rc().manifest, 2);
}

TEST(ResourceScript, StripBitmapsFollowTheEventAndCutChoice) {
    // Rows: start of document, start of page, end of page, end of document; columns: fed to
    // the cut position and cut, fed only, cut only, neither.
    const int table[4][4] = {
        {143, 144, 145, 149}, {146, 147, 148, 149}, {140, 141, 142, 139}, {136, 137, 138, 139}};
    const char* events[4] = {"startdoc", "startpage", "endpage", "enddoc"};
    const char* cases[3] = {"_feed_cut", "_feed", "_cut"};
    for (int e = 0; e < 4; ++e) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(Rc().bitmaps.at(table[e][k]),
                      std::string("art/strip_") + events[e] + cases[k] + ".bmp");
        EXPECT_EQ(Rc().bitmaps.at(table[e][3]),
                  e < 2 ? "art/strip_start_plain.bmp" : "art/strip_end_plain.bmp");
    }
}

TEST(ResourceHeader, NamesCarryTheKindOfTheirControl) {
    // IDC_<TEMPLATE>_<KIND>_<ROLE>: the kind in the name matches the control in the script.
    const std::map<std::string, std::set<std::string>> kinds = {{"GROUP", {"group"}},
                                                                {"LABEL", {"label"}},
                                                                {"RANGE", {"label"}},
                                                                {"VALUE", {"label"}},
                                                                {"RADIO", {"radio"}},
                                                                {"CHECK", {"check"}},
                                                                {"EDIT", {"edit"}},
                                                                {"SPIN", {"spin"}},
                                                                {"COMBO", {"droplist", "combo"}},
                                                                {"LIST", {"list", "listview"}},
                                                                {"BUTTON", {"button"}},
                                                                {"SLIDER", {"slider"}},
                                                                {"PICTURE", {"picture"}},
                                                                {"FRAME", {"frame"}},
                                                                {"TREE", {"tree"}}};
    size_t checked = 0;
    for (const auto& [id, d] : Rc().dialogs) {
        for (const auto& c : d.controls) {
            if (c.id == -1 || !c.idName.starts_with("IDC_")) continue;
            const auto after = c.idName.find('_', 4);
            const auto end = c.idName.find('_', after + 1);
            const std::string kind = c.idName.substr(after + 1, end - after - 1);
            ASSERT_TRUE(kinds.count(kind)) << c.idName;
            EXPECT_TRUE(kinds.at(kind).count(KindOf(c))) << c.idName << " is a " << KindOf(c);
            ++checked;
        }
    }
    EXPECT_GT(checked, 250u);
}

}  // namespace
