// The plug-in through its real COM entry, as the configuration module calls it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/settings/private_devmode.h"
#include "tests/windows/test_support.h"
#include "tools/oemhost/host_sheet.h"

namespace {

// {00000000-0000-0000-C000-000000000046} is IUnknown; this one is nobody's.
constexpr GUID kOtherGuid = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

class PluginCom : public ::testing::Test {
protected:
    oemhost::LoadedPlugin loaded{wintest::PluginPath()};
    IPrintOemUI* plugin() { return loaded.plugin; }

    void SetUp() override { ASSERT_TRUE(loaded.ok()); }
};

TEST_F(PluginCom, ClassObjectOnlyForTheOemUiClass) {
    void* object = &object;
    EXPECT_EQ(loaded.getClassObject(kOtherGuid, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(loaded.getClassObject(CLSID_OEMUI, kOtherGuid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(PluginCom, FactoryRefusesAggregationAndCountsLocks) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(
        loaded.getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    void* object = &object;
    EXPECT_EQ(
        factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IPrintOemUI, &object),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, kOtherGuid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    // The fixture's object is alive.
    EXPECT_EQ(loaded.canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(loaded.canUnloadNow(), S_FALSE);
    plugin()->Release();
    loaded.plugin = nullptr;
    EXPECT_EQ(loaded.canUnloadNow(), S_FALSE);  // still locked
    ASSERT_EQ(loaded.getClassObject(CLSID_OEMUI, IID_IUnknown, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(loaded.canUnloadNow(), S_OK);
}

TEST_F(PluginCom, QueryInterfaceAndReferenceCounts) {
    void* object = &object;
    EXPECT_EQ(plugin()->QueryInterface(kOtherGuid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(plugin()->QueryInterface(IID_IPrintOemDriverUI, &object), E_NOINTERFACE);
    ASSERT_EQ(plugin()->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(plugin()));
    EXPECT_EQ(plugin()->AddRef(), 3u);
    EXPECT_EQ(plugin()->Release(), 2u);
    EXPECT_EQ(plugin()->Release(), 1u);
}

TEST_F(PluginCom, GetInfo) {
    DWORD value = 0, needed = 99;
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETSIGNATURE, &value, 4, &needed), S_OK);
    EXPECT_EQ(value, 0x323130u);
    EXPECT_EQ(std::memcmp(&value, "012", 4), 0);
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETVERSION, &value, 4, &needed), S_OK);
    EXPECT_EQ(value, 1u);

    SetLastError(0);
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETINTERFACEVERSION, &value, 4, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETSIGNATURE, &value, 4, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    needed = 0;
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETSIGNATURE, &value, 3, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETSIGNATURE, nullptr, 4, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    needed = 99;
    EXPECT_EQ(plugin()->GetInfo(oem::OEMGI_GETPUBLISHERINFO, &value, 4, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(needed, 0u);
}

TEST_F(PluginCom, QueryColorProfile) {
    BYTE buffer[64] = {};
    ULONG size = 31;
    FLONG flags = 0;
    EXPECT_EQ(
        plugin()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, &size, &flags),
        E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 32u);
    size = 32;
    EXPECT_EQ(
        plugin()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, &size, &flags),
        S_OK);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(buffer), L"OEMPROFILE.icm");
    EXPECT_EQ(flags, 2u);
    size = 7;
    EXPECT_EQ(
        plugin()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 1, buffer, &size, &flags),
        E_FAIL);
    EXPECT_EQ(size, 7u);  // other query modes touch nothing
}

TEST_F(PluginCom, PublishDriverInterfaceKeepsTheFirst) {
    auto* first = oemhost::RecordingDriverUi::New();
    auto* second = oemhost::RecordingDriverUi::New();
    EXPECT_EQ(plugin()->PublishDriverInterface(first), S_OK);
    EXPECT_EQ(first->queryCount, 1);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_EQ(plugin()->PublishDriverInterface(second), S_OK);
    EXPECT_EQ(second->queryCount, 0);
    EXPECT_EQ(second->refCount, 1);
    plugin()->Release();  // the object lets go of the driver's interface
    loaded.plugin = nullptr;
    EXPECT_EQ(first->refCount, 1);
    first->Release();
    second->Release();
}

TEST_F(PluginCom, PublishDriverInterfaceFailsForOtherObjects) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(
        loaded.getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        S_OK);
    EXPECT_EQ(plugin()->PublishDriverInterface(factory), E_FAIL);
    factory->Release();
    auto* driver = oemhost::RecordingDriverUi::New();
    EXPECT_EQ(plugin()->PublishDriverInterface(driver), S_OK);  // a later success still counts
    driver->Release();
}

TEST_F(PluginCom, CommonUIPropModes) {
    oem::OEMCUIPPARAM param = {};
    param.cbSize = sizeof param;
    param.cOEMOptItems = 5;
    EXPECT_EQ(plugin()->CommonUIProp(oem::OEMCUIP_DOCPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 5u);
    EXPECT_EQ(plugin()->CommonUIProp(oem::OEMCUIP_PRNPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 0u);
    SetLastError(0);
    EXPECT_EQ(plugin()->CommonUIProp(3, &param), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(PluginCom, UnusedMethodsAreNotImplemented) {
    EXPECT_EQ(plugin()->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin()->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                                           0, nullptr),
              E_NOTIMPL);
    EXPECT_EQ(plugin()->UpgradePrinter(0, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin()->PrinterEvent(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin()->DriverEvent(0, 0, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(plugin()->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin()->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
}

TEST_F(PluginCom, DevModeThroughTheObject) {
    oem::OEMDMPARAM param = {};
    param.cbSize = sizeof param;
    EXPECT_EQ(plugin()->DevMode(oem::OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, 1976u);
    EXPECT_EQ(param.pOEMDMOut, nullptr);

    std::vector<BYTE> in(1976, 0xEE), out(1976, 0xEE);
    param.pOEMDMOut = out.data();
    ASSERT_EQ(plugin()->DevMode(oem::OEMDM_DEFAULT, &param), S_OK);
    const auto* record = reinterpret_cast<const zr640::PrivateDevMode*>(out.data());
    EXPECT_EQ(record->dmExtraHeader.dwSize, 1976u);
    EXPECT_EQ(out[147], 12);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring expected = std::wstring(system, 3) + L"RZKDriverlog\\ZR640";
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(record->wszLogFolder)), expected);

    // An older, shorter record of ours: taken over as far as it reaches.
    in = out;
    in[0] = 0xE8;  // dwSize 1000
    in[0 + 1] = 0x03;
    in[1395] = 42;  // beyond its end: ignored
    in[998] = 1;    // bPrintAsImage, inside: kept
    std::vector<BYTE> converted(1976, 0);
    std::memcpy(converted.data(), out.data(), 12);
    param.pOEMDMIn = in.data();
    param.pOEMDMOut = converted.data();
    ASSERT_EQ(plugin()->DevMode(oem::OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(converted[998], 1);
    EXPECT_EQ(converted[1395], 100);
    EXPECT_EQ(converted[0], 0xB8);

    // Merge in place: the input is the output.
    reinterpret_cast<zr640::PrivateDevMode*>(converted.data())->dwReservedLevel = 101;
    param.pOEMDMIn = converted.data();
    ASSERT_EQ(plugin()->DevMode(oem::OEMDM_MERGE, &param), S_OK);
    EXPECT_EQ(reinterpret_cast<zr640::PrivateDevMode*>(converted.data())->dwReservedLevel, 0);
    EXPECT_EQ(converted[998], 1);

    // Missing records are tolerated; a missing block or unknown mode is refused.
    param.pOEMDMIn = nullptr;
    EXPECT_EQ(plugin()->DevMode(oem::OEMDM_CONVERT, &param), S_OK);
    SetLastError(0);
    EXPECT_EQ(plugin()->DevMode(5, &param), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(plugin()->DevMode(oem::OEMDM_SIZE, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(PluginCom, SheetReasonsAndVersionCheck) {
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Version = 0x0101;
    SetLastError(0);
    EXPECT_EQ(plugin()->DocumentPropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(plugin()->DevicePropertySheets(nullptr, 0), E_FAIL);

    info.Version = PROPSHEETUI_INFO_VERSION;
    PROPSHEETUI_INFO_HEADER header = {};
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    EXPECT_EQ(plugin()->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&header)), S_OK);
    EXPECT_STREQ(header.pTitle, L"OEM UI Page");
    EXPECT_EQ(info.Result, 1u);

    SETRESULT_INFO result = {};
    result.Result = 0x1234;
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    EXPECT_EQ(plugin()->DevicePropertySheets(&info, reinterpret_cast<LPARAM>(&result)), S_OK);
    EXPECT_EQ(info.Result, 0x1234u);

    info.Reason = PROPSHEETUI_REASON_GET_ICON;
    EXPECT_EQ(plugin()->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 0u);

    info.Result = 77;
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(plugin()->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 1u);

    info.Result = 77;
    info.Reason = oem::PROPSHEETUI_REASON_BEFORE_INIT;
    info.Version = 0;  // the notice before initialisation carries no version yet
    EXPECT_EQ(plugin()->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 77u);
}

// The DLL's own pages and resources in the real sheet host.
TEST_F(PluginCom, SheetsOpenFromTheDll) {
    std::vector<std::wstring> tabs;
    auto collect = [&](HWND sheet) {
        for (int i = 0; i < oemhost::TabCount(sheet); ++i)
            tabs.push_back(oemhost::TabText(sheet, i));
        for (int i = 2; i < oemhost::TabCount(sheet); ++i)
            EXPECT_NE(oemhost::PageAt(sheet, i), nullptr) << i;
        return false;
    };
    oemhost::SheetSession document(plugin(), L"T-ZR640 Test");
    document.scenario = collect;
    ASSERT_TRUE(document.Run(oemhost::SheetKind::Document));
    EXPECT_EQ(tabs.size(), 8u);
    EXPECT_EQ(document.reasons.front(), 5u) << "the sheet host announces the sheet first";

    tabs.clear();
    oemhost::SheetSession device(plugin(), L"T-ZR640 Test");
    device.scenario = collect;
    ASSERT_TRUE(device.Run(oemhost::SheetKind::Device));
    EXPECT_EQ(tabs.size(), 6u);
}

}  // namespace
