// A stand-in for DirectInput 8 with exactly one game controller, which reads its state from the
// named mapping a test writes (standin_joystick.h). It answers what Wine's joystick interface
// asks of DirectInput: the devices, one device's objects and capabilities, its data format and
// its state. Everything else is refused.
#include <windows.h>
// After windows.h and before dinput.h: the GUIDs the interface names are defined here, as this
// library has no other source of them.
#include <initguid.h>
// After initguid.h.
#include <dinput.h>

#include <cstring>

#include "standin_joystick.h"

namespace {

using zorv_standin::JoystickState;

// {5A0F3D1E-26A1-4C1E-9F3A-0B5E2D7C4A10}
const GUID kInstanceGuid = {0x5a0f3d1e, 0x26a1, 0x4c1e, {0x9f, 0x3a, 0x0b, 0x5e, 0x2d, 0x7c, 0x4a, 0x10}};
const GUID kProductGuid = {0x5a0f3d1f, 0x26a1, 0x4c1e, {0x9f, 0x3a, 0x0b, 0x5e, 0x2d, 0x7c, 0x4a, 0x10}};

constexpr DWORD kDeviceType = DI8DEVTYPE_GAMEPAD | (DI8DEVTYPEGAMEPAD_STANDARD << 8);
constexpr WORD kUsagePageGeneric = 0x01;
constexpr WORD kUsageX = 0x30, kUsageY = 0x31, kUsageHat = 0x39;

// The state the test shares, handed to `visit`; false when there is none.
template <typename Visit>
bool VisitState(Visit visit) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, zorv_standin::kMappingName);
    if (!mapping) return false;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(JoystickState));
    if (view) {
        visit(*static_cast<JoystickState*>(view));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

// The state the test wrote last, counted as read by this thread unless `counted` is false; false
// when there is no controller.
bool ReadState(JoystickState* state, bool counted = true) {
    bool attached = false;
    VisitState([&](JoystickState& shared) {
        if (counted) {
            InterlockedIncrement(&shared.reads);
            shared.reader = GetCurrentThreadId();
        }
        std::memcpy(state, &shared, sizeof *state);
        attached = state->attached != 0;
    });
    return attached;
}

// The device's objects: the two axes of the stick, the hat, the buttons.
enum ObjectKind { kAxisX, kAxisY, kHat, kFirstButton };
constexpr int kObjectCount = kFirstButton + zorv_standin::kButtonCount;

// Every object but the hat of a hatless controller, which the device neither lists nor places
// in a data format, so that its bytes in a state stay 0.
bool Exists(int object) {
    JoystickState state = {};
    return object != kHat || !ReadState(&state, false) || !state.hatless;
}

DWORD TypeOf(int object) {
    if (object <= kAxisY) return DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(object);
    if (object == kHat) return DIDFT_POV | DIDFT_MAKEINSTANCE(0);
    return DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(object - kFirstButton);
}

void Describe(int object, DIDEVICEOBJECTINSTANCEW* out) {
    const DWORD size = out->dwSize ? out->dwSize : sizeof *out;
    std::memset(out, 0, size);
    out->dwSize = size;
    out->guidType = object == kAxisX   ? GUID_XAxis
                    : object == kAxisY ? GUID_YAxis
                    : object == kHat   ? GUID_POV
                                       : GUID_Button;
    out->dwOfs = object * sizeof(DWORD);
    out->dwType = TypeOf(object);
    out->dwFlags = object <= kAxisY ? DIDOI_ASPECTPOSITION : 0;
    out->wUsagePage = object < kFirstButton ? kUsagePageGeneric : 0x09;
    out->wUsage = object == kAxisX   ? kUsageX
                  : object == kAxisY ? kUsageY
                  : object == kHat   ? kUsageHat
                                     : object - kFirstButton + 1;
}

// The IUnknown of an object that lives as long as the library: no other interfaces, no count.
template <typename Interface>
class LibraryObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class Device : public LibraryObject<IDirectInputDevice8W> {
public:
    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS caps) override {
        caps->dwFlags = DIDC_ATTACHED;
        caps->dwDevType = kDeviceType;
        caps->dwAxes = 2;
        caps->dwButtons = zorv_standin::kButtonCount;
        caps->dwPOVs = Exists(kHat) ? 1 : 0;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKW callback, LPVOID context,
                                          DWORD flags) override {
        for (int object = 0; object < kObjectCount; ++object) {
            if (!Exists(object)) continue;
            if (flags != DIDFT_ALL && !(DIDFT_GETTYPE(TypeOf(object)) & DIDFT_GETTYPE(flags))) continue;
            DIDEVICEOBJECTINSTANCEW instance = {};
            instance.dwSize = sizeof instance;
            Describe(object, &instance);
            if (callback(&instance, context) == DIENUM_STOP) break;
        }
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID, LPDIPROPHEADER) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID, LPCDIPROPHEADER) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE Acquire() override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE Unacquire() override { return DI_OK; }

    // Fills the caller's format with what the mapping holds now.
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override {
        JoystickState state;
        if (!ReadState(&state)) return DIERR_INPUTLOST;
        if (size < dataSize_) return DIERR_INVALIDPARAM;
        BYTE* bytes = static_cast<BYTE*>(data);
        std::memset(bytes, 0, size);
        for (int object = 0; object < kObjectCount; ++object) {
            const DWORD at = offsets_[object];
            if (at == kUnused) continue;
            if (object == kAxisX || object == kAxisY) {
                const LONG value = object == kAxisX ? state.x : state.y;
                std::memcpy(bytes + at, &value, sizeof value);
            } else if (object == kHat) {
                const DWORD value = state.hat;
                std::memcpy(bytes + at, &value, sizeof value);
            } else {
                bytes[at] = state.buttons[object - kFirstButton] ? 0x80 : 0;
            }
        }
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD) override {
        return DIERR_NOTBUFFERED;
    }

    // Places each of the device's objects at the offset of the first format entry that asks for
    // it: by its exact type, or by the kind of object with any instance.
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override {
        for (DWORD& at : offsets_) at = kUnused;
        for (DWORD i = 0; i < format->dwNumObjs; ++i) {
            const DIOBJECTDATAFORMAT& entry = format->rgodf[i];
            for (int object = 0; object < kObjectCount; ++object) {
                if (offsets_[object] != kUnused || !Exists(object) || !Matches(entry, object)) continue;
                if (entry.dwOfs + sizeof(DWORD) > format->dwDataSize) break;
                offsets_[object] = entry.dwOfs;
                break;
            }
        }
        dataSize_ = format->dwDataSize;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE GetObjectInfo(LPDIDEVICEOBJECTINSTANCEW instance, DWORD which, DWORD how) override {
        for (int object = 0; object < kObjectCount; ++object) {
            const bool found = how == DIPH_BYOFFSET ? offsets_[object] == which : TypeOf(object) == which;
            if (!found || !Exists(object)) continue;
            Describe(object, instance);
            return DI_OK;
        }
        return DIERR_OBJECTNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPDIDEVICEINSTANCEW instance) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD, REFGUID) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE EnumEffects(LPDIENUMEFFECTSCALLBACKW, LPVOID, DWORD) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE GetEffectInfo(LPDIEFFECTINFOW, REFGUID) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD) override {
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Poll() override { return DI_NOEFFECT; }
    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE EnumEffectsInFile(LPCWSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE WriteEffectToFile(LPCWSTR, DWORD, LPDIFILEEFFECT, DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE BuildActionMap(LPDIACTIONFORMATW, LPCWSTR, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE SetActionMap(LPDIACTIONFORMATW, LPCWSTR, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetImageInfo(LPDIDEVICEIMAGEINFOHEADERW) override { return DIERR_UNSUPPORTED; }

private:
    static constexpr DWORD kUnused = 0xFFFFFFFF;

    static bool Matches(const DIOBJECTDATAFORMAT& entry, int object) {
        const DWORD type = TypeOf(object);
        if (!(DIDFT_GETTYPE(entry.dwType) & DIDFT_GETTYPE(type))) return false;
        if (DIDFT_GETINSTANCE(entry.dwType) != DIDFT_GETINSTANCE(DIDFT_ANYINSTANCE))
            return DIDFT_GETINSTANCE(entry.dwType) == DIDFT_GETINSTANCE(type);
        if (entry.pguid && object == kAxisX) return IsEqualGUID(*entry.pguid, GUID_XAxis);
        if (entry.pguid && object == kAxisY) return IsEqualGUID(*entry.pguid, GUID_YAxis);
        return true;
    }

    DWORD offsets_[kObjectCount] = {kUnused, kUnused, kUnused, kUnused, kUnused, kUnused,
                                    kUnused, kUnused, kUnused, kUnused, kUnused};
    DWORD dataSize_ = 0;
};

void DescribeDevice(DIDEVICEINSTANCEW* out) {
    const DWORD size = out->dwSize ? out->dwSize : sizeof *out;
    std::memset(out, 0, size);
    out->dwSize = size;
    out->guidInstance = kInstanceGuid;
    out->guidProduct = kProductGuid;
    out->dwDevType = kDeviceType;
    lstrcpyW(out->tszInstanceName, L"Stand-in controller");
    lstrcpyW(out->tszProductName, L"Stand-in controller");
}

HRESULT STDMETHODCALLTYPE Device::GetDeviceInfo(LPDIDEVICEINSTANCEW instance) {
    DescribeDevice(instance);
    return DI_OK;
}

Device theDevice;

class Input : public LibraryObject<IDirectInput8W> {
public:
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8W* device, LPUNKNOWN) override {
        *device = nullptr;
        if (!IsEqualGUID(guid, kInstanceGuid)) return DIERR_DEVICENOTREG;
        *device = &theDevice;
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD, LPDIENUMDEVICESCALLBACKW callback, LPVOID context, DWORD) override {
        JoystickState state;
        if (!ReadState(&state)) return DI_OK;
        DIDEVICEINSTANCEW instance = {};
        instance.dwSize = sizeof instance;
        DescribeDevice(&instance);
        callback(&instance, context);
        return DI_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID guid) override {
        JoystickState state;
        return IsEqualGUID(guid, kInstanceGuid) && ReadState(&state) ? DI_OK : DI_NOTATTACHED;
    }
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE, DWORD) override { return DI_OK; }
    HRESULT STDMETHODCALLTYPE FindDevice(REFGUID, LPCWSTR, LPGUID) override { return DIERR_DEVICENOTREG; }
    HRESULT STDMETHODCALLTYPE EnumDevicesBySemantics(LPCWSTR, LPDIACTIONFORMATW, LPDIENUMDEVICESBYSEMANTICSCBW, LPVOID,
                                                     DWORD) override {
        return DIERR_UNSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK, LPDICONFIGUREDEVICESPARAMSW, DWORD,
                                               LPVOID) override {
        return DIERR_UNSUPPORTED;
    }
};

Input theInput;

bool InLook() { return std::strstr(GetCommandLineA(), "/look-for-controller") != nullptr; }

}  // namespace

// Loaded under another name, this library stands for a system library that a program must not
// take from its own folder: the test counts such loads.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    if (reason != DLL_PROCESS_ATTACH || length == 0 || length >= MAX_PATH) return TRUE;
    const char* name = path + length;
    while (name > path && name[-1] != '\\') --name;
    if (lstrcmpiA(name, "dinput8.dll") != 0) VisitState([](JoystickState& shared) { ++shared.strays; });
    const UINT errorMode = SetErrorMode(0);
    SetErrorMode(errorMode);
    if (InLook()) {
        VisitState([errorMode](JoystickState& shared) {
            shared.lookProcess = GetCurrentProcessId();
            shared.lookErrorMode = errorMode;
            InterlockedIncrement(&shared.looks);
        });
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE, DWORD, REFIID riid, LPVOID* out, LPUNKNOWN) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualGUID(riid, IID_IDirectInput8W)) return E_NOINTERFACE;
    long mode = 0;
    if (InLook()) VisitState([&mode](JoystickState& shared) { mode = shared.lookMode; });
    if (mode == zorv_standin::kLookFaults) RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
    if (mode == zorv_standin::kLookHangs) Sleep(INFINITE);
    *out = static_cast<IDirectInput8W*>(&theInput);
    return DI_OK;
}
