// One front-end per game folder. A second start from the folder that a running front-end was
// started from (a double click that came twice, or one while the game runs) hands over to the
// running one and ends; starts from other folders are independent.
#pragma once

#include <windows.h>

#include "platform/handle_guards_win.h"

namespace zorv {

// The claim of this process on the current folder: a named mutex whose name is made from the
// folder's full path, owned by the front-end that runs from there. Taking it is one step, so of
// any number of starts at once exactly one gets it, and the system lets go of it with the
// process that owns it, so a front-end that crashed leaves nothing behind that could stop the
// next start. Beside it a named mapping tells later starts the owner's process id.
class FolderClaim {
public:
    FolderClaim() = default;
    ~FolderClaim();
    FolderClaim(const FolderClaim&) = delete;
    FolderClaim& operator=(const FolderClaim&) = delete;

    // True when this process may go on as the folder's front-end: no other holds the folder, or
    // the one that held it has ended, or the claim cannot be made at all. False when another
    // front-end runs from this folder: the window it names (AnswerSecondStart) has then been
    // put in front, or, when it did not answer within a few seconds, the player has been told
    // that it runs. This process must then end without touching a file or a window of its own.
    bool Claim();

private:
    void Publish(const char* name);

    KernelHandle mutex_;
    KernelHandle holder_;  // the mapping with this process's id, while it holds the folder
    bool held_ = false;
};

// The message a later start sends the running front-end's frame; 0 when it cannot be had. Its
// wParam is the question.
UINT SecondStartMessage();
enum SecondStartQuestion : WPARAM { kAskForWindow = 0, kAskForGame = 1 };

// The frame's answer to it, made on the front-end's own thread; `game` is the id of the game's
// process while a launch waits for it, else 0, as whoever answers knows it. To kAskForGame: that id. To kAskForWindow:
// the window the player is to get back in front, restored if it is minimised. While a launch waits for the game that is
// the game's window, and the frame stays minimised until the game has ended; else the topmost dialog or message box of
// this thread, which waits for the player and has no owner that could bring it along; else the frame with the menu
// window on it. Null while nothing is shown yet (the frame is still hidden, or the game has no window). The later start
// puts it in front only if it is a window of the front-end's process or of its game's.
LRESULT AnswerSecondStart(HWND frame, WPARAM question, DWORD game);

}  // namespace zorv
