// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for Windows' UIAutomationCore.dll that writes down what a screen reader would be told:
// each focused control's name and each notification. Qt loads it from the system folder in place of
// the real one; the test reads the record through takeHeard().
#include <windows.h>
#include <ole2.h>
#include <uiautomationcore.h>

#include <string>
#include <utility>

#define STAND_IN extern "C" __declspec(dllexport)

static std::wstring heard;

// Everything heard since the last call, a line each ("focus: name", "told: sentence").
STAND_IN const wchar_t *takeHeard()
{
    static std::wstring taken;
    taken = std::exchange(heard, {});
    return taken.c_str();
}

// What Qt asks of the rest: nothing to write down.
STAND_IN LRESULT WINAPI UiaReturnRawElementProvider(HWND, WPARAM, LPARAM, IRawElementProviderSimple *) { return 0; }
STAND_IN HRESULT WINAPI UiaHostProviderFromHwnd(HWND, IRawElementProviderSimple **) { return E_NOTIMPL; }
STAND_IN BOOL WINAPI UiaClientsAreListening() { return TRUE; }
STAND_IN HRESULT WINAPI UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple *, PROPERTYID, VARIANT, VARIANT) { return S_OK; }

// A reader speaks the name of the control that gets the focus (UIA_AutomationFocusChangedEventId;
// UIA_NamePropertyId).
STAND_IN HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple *provider, EVENTID event)
{
    VARIANT name{};
    if (event == 20005 && SUCCEEDED(provider->GetPropertyValue(30005, &name)) && name.vt == VT_BSTR)
        heard += L"focus: " + std::wstring(name.bstrVal) + L"\n";
    VariantClear(&name);
    return S_OK;
}

// A reader speaks a notification at once, wherever the focus is.
STAND_IN HRESULT WINAPI UiaRaiseNotificationEvent(IRawElementProviderSimple *, int, int, BSTR sentence, BSTR)
{
    heard += L"told: " + std::wstring(sentence ? sentence : L"") + L"\n";
    return S_OK;
}
