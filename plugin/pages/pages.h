// The dialog procedures of the plug-in's property pages.
#pragma once

#include <windows.h>

namespace zr640ui {

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OperationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK Code1DPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK Code2DPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DocumentVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK UtilityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DownloadPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DeviceVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Each page's captions and tooltip help (framework/page.h), for the code that checks them.
struct PageDefinition;
const PageDefinition& MainPageDefinition();
const PageDefinition& WatermarkPageDefinition();
const PageDefinition& OperationPageDefinition();
const PageDefinition& Code1DPageDefinition();
const PageDefinition& Code2DPageDefinition();
const PageDefinition& VersionPageDefinition();  // both sheets
const PageDefinition& UtilityPageDefinition();
const PageDefinition& DownloadPageDefinition();
const PageDefinition& FontPageDefinition();

}  // namespace zr640ui
