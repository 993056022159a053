// A later start from a held folder hands over to the holder (test_child.exe hold) and puts in
// front only a window of the holder's process or of its game's: a handle the holder names that is
// another program's window (this test's, here) is passed over, and the holder's own frame, named
// next, is put in front.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/handle_guards_win.h"
#include "startup/single_instance_win.h"
#include "test_child.h"

TEST(SingleInstance, ALaterStartPutsInFrontOnlyAWindowOfTheHolderOrItsGame) {
    HWND other = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND front = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 20, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other && front && SetForegroundWindow(front));
    const std::string eventName = "zorv-holder-ready-" + std::to_string(GetCurrentProcessId());
    zorv::KernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    char named[16];
    wsprintfA(named, "%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(other)));
    zorv::KernelHandle holder(zorv_test::StartTestChild(std::string("hold ") + named + " " + eventName));
    const HANDLE waits[] = {ready.get(), holder.get()};
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, waits, FALSE, 20000)) << "the holder did not hold the folder";

    zorv::FolderClaim claim;
    EXPECT_FALSE(claim.Claim()) << "the later start did not hand over";
    EXPECT_NE(other, GetForegroundWindow()) << "another program's window was put in front";
    // The holder's thread takes the foreground when it handles the activation, within the deadline.
    DWORD inFront = 0;
    for (const DWORD start = GetTickCount(); inFront != GetProcessId(holder.get()) && GetTickCount() - start < 5000;
         Sleep(10))
        GetWindowThreadProcessId(GetForegroundWindow(), &inFront);
    EXPECT_EQ(GetProcessId(holder.get()), inFront) << "the holder's frame was not put in front";
    TerminateProcess(holder.get(), 0);
    DestroyWindow(front);
    DestroyWindow(other);
}
