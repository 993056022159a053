// Stand-in for the game, .\proc.exe. It shows in its window what the front-end left for it
// (.\Info\GameMode.dat and the settings files under .\info\), then ends the way .\demo-game.ini
// tells it, writing .\Info\proc.log as the real game does. A tool for people and tests.
//
// demo-game.ini (in the game folder), one key=value a line; '#' or ';' starts a comment line;
// the last of a repeated key wins:
//   log=<text>      what .\Info\proc.log holds: "\n", "\t" and "\\" are escapes and a line end
//                   is added, so log=5\n1 writes the lines 5 and 1. "log=" writes an empty log,
//                   "log=none" writes none. Without the key: 0, a clean run.
//   exit=<code>     the exit code, decimal (259 included). Default 0.
//   stay=<ms>       how long the window shows before the game ends. Default 1500.
//   resize=<W>x<H>  change the display mode to W x H as the window opens, and leave it so.
//   crash=<hex>     instead of returning, crash with that exception code (e.g. C0000005) once
//                   the window is gone and the log written as told, as a game that dies
//                   unexpectedly. 0 or no key: no crash.
// A key or a click in the window ends the game at once, the same way. Without demo-game.ini
// it is a clean run: log 0, exit code 0.
//
// It also shows which OpenGL driver it would use: the libraries .\Opengl32.dll and .\Glu32.dll
// that the front-end copies beside it (each driver's stand-ins say which driver they are), or
// the system's when there are none.
//
// What it saw goes to .\demo-game-seen.txt as key="escaped text" lines: command-line (the whole
// command line), arguments (WinMain's), gamemode.dat (its bytes, or the word missing), resize,
// opengl32.dll and glu32.dll (the first line of each, or the word missing).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi_guards_win.h"
#include "settings/game_files.h"

namespace {

using namespace zorv;

const char kClassName[] = "Zorv3D stand-in game";
constexpr UINT_PTR kEndTimer = 1;
constexpr UINT kResizeMessage = WM_APP + 1;

struct Instructions {
    bool found = false;  // demo-game.ini was read
    bool writeLog = true;
    std::string log = "0\n";
    long long exitCode = 0;
    UINT stayMs = 1500;
    int resizeWidth = 0;  // 0: leave the display mode alone
    int resizeHeight = 0;
    DWORD crashCode = 0;  // 0: end normally
    std::string lines;    // the file as read, for the window
};

struct Game {
    Instructions ini;
    std::string commandLine;
    std::string arguments;
    bool gameModeFound = false;
    std::string gameMode;
    std::string audio, keys, video;
    bool openGlFound = false;  // .\Opengl32.dll beside the game
    std::string openGl;        // its first line
    bool gluFound = false;
    std::string glu;
    std::string resizeOutcome = "not asked";
    bool ended = false;
    HWND window = nullptr;
};
Game g_game;

bool ReadFileBytes(const char* name, std::string* bytes) {
    FILE* file = std::fopen(name, "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes->size() < 65536) bytes->append(buffer, got);
    std::fclose(file);
    return true;
}

// The first line of a file, without its line end; the stand-in libraries are one line of text.
bool ReadFirstLine(const char* name, std::string* line) {
    std::string bytes;
    if (!ReadFileBytes(name, &bytes)) return false;
    *line = bytes.substr(0, bytes.find_first_of("\r\n"));
    return true;
}

std::string Unescape(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char next = value[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
    }
    return out;
}

// C-style, so that every byte of a file shows on one line of the seen file.
std::string Escape(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[5];
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else {
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            }
        }
    }
    return out;
}

// Text the window can draw: control bytes other than line ends and tabs show as '?'.
std::string Printable(const std::string& bytes) {
    std::string out = bytes;
    for (char& c : out) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\r' && c != '\n' && c != '\t') c = '?';
    }
    return out;
}

void ApplyInstruction(const std::string& key, const std::string& value, Instructions* ini) {
    if (key == "log") {
        ini->writeLog = value != "none";
        ini->log = value.empty() ? std::string() : Unescape(value) + "\n";
    } else if (key == "exit") {
        ini->exitCode = std::strtoll(value.c_str(), nullptr, 10);
    } else if (key == "stay") {
        long long ms = std::strtoll(value.c_str(), nullptr, 10);
        ini->stayMs = ms < 0 ? 0 : static_cast<UINT>(ms);
    } else if (key == "crash") {
        ini->crashCode = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 16));
    } else if (key == "resize") {
        int w = 0, h = 0;
        if (std::sscanf(value.c_str(), "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
            ini->resizeWidth = w;
            ini->resizeHeight = h;
        }
    }
}

void ReadInstructions(Instructions* ini) {
    std::string text;
    if (!ReadFileBytes(kStandInInstructions, &text)) return;
    ini->found = true;
    ini->lines = text;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        while (!key.empty() && (key[0] == ' ' || key[0] == '\t')) key.erase(0, 1);
        ApplyInstruction(key, line.substr(equals + 1), ini);
    }
}

void ReadWhatTheFrontEndLeft(Game* game, LPSTR arguments) {
    game->commandLine = GetCommandLineA();
    game->arguments = arguments ? arguments : "";
    game->gameModeFound = ReadFileBytes(kGameModeFile, &game->gameMode);
    if (!ReadFileBytes(kAudioSettingsFile, &game->audio)) game->audio = "(missing)";
    if (!ReadFileBytes(kKeyBindingsFile, &game->keys)) game->keys = "(missing)";
    if (!ReadFileBytes(kVideoSettingsFile, &game->video)) game->video = "(missing)";
    game->openGlFound = ReadFirstLine(kLocalOpenGlLibrary, &game->openGl);
    game->gluFound = ReadFirstLine(kLocalGluLibrary, &game->glu);
    ReadInstructions(&game->ini);
}

void Resize(Game* game) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(game->ini.resizeWidth);
    mode.dmPelsHeight = static_cast<DWORD>(game->ini.resizeHeight);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    LONG result = ChangeDisplaySettingsA(&mode, 0);
    char text[160];
    std::snprintf(text, sizeof text, "%dx%d %s (result %ld), screen now %dx%d", game->ini.resizeWidth,
                  game->ini.resizeHeight, result == DISP_CHANGE_SUCCESSFUL ? "done" : "failed", result,
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    game->resizeOutcome = text;
}

// Written beside it and then renamed, so that whoever waits for the seen file finds it whole.
void WriteSeen(const Game& game) {
    FILE* seen = std::fopen(kStandInReportPart, "w");
    if (!seen) return;
    std::fprintf(seen, "command-line=\"%s\"\n", Escape(game.commandLine).c_str());
    std::fprintf(seen, "arguments=\"%s\"\n", Escape(game.arguments).c_str());
    if (game.gameModeFound) {
        std::fprintf(seen, "gamemode.dat=\"%s\"\n", Escape(game.gameMode).c_str());
    } else {
        std::fputs("gamemode.dat=missing\n", seen);
    }
    std::fprintf(seen, "resize=\"%s\"\n", Escape(game.resizeOutcome).c_str());
    const struct {
        const char* key;
        bool found;
        const std::string& line;
    } libraries[] = {{"opengl32.dll", game.openGlFound, game.openGl}, {"glu32.dll", game.gluFound, game.glu}};
    for (const auto& library : libraries) {
        if (library.found) std::fprintf(seen, "%s=\"%s\"\n", library.key, Escape(library.line).c_str());
        else std::fprintf(seen, "%s=missing\n", library.key);
    }
    std::fclose(seen);
    // The report appears whole. The 95 family has no MoveFileExA; there the old one goes first.
    if (!MoveFileExA(kStandInReportPart, kStandInReport, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(kStandInReport);
        MoveFileA(kStandInReportPart, kStandInReport);
    }
}

// Ends the game once, whichever way it was asked: the seen file, then the log, then the window.
void EndGame(Game* game) {
    if (game->ended) return;
    game->ended = true;
    KillTimer(game->window, kEndTimer);
    WriteSeen(*game);
    if (game->ini.writeLog) {
        if (FILE* log = std::fopen(kGameLog, "w")) {
            std::fputs(game->ini.log.c_str(), log);
            std::fclose(log);
        }
    }
    DestroyWindow(game->window);
}

std::string Column1(const Game& game) {
    std::string text = "Zorv3D stand-in game (proc.exe)\r\n\r\n";
    text += "Command line: [" + game.commandLine + "]\r\n\r\n";
    text += "Info\\GameMode.dat:\r\n";
    text += game.gameModeFound ? Printable(game.gameMode) : std::string("(missing)");
    text += "\r\n\r\n";
    if (game.ini.found) {
        text += "demo-game.ini:\r\n" + Printable(game.ini.lines) + "\r\n\r\n";
    } else {
        text += "No demo-game.ini: a clean run.\r\n\r\n";
    }
    char ending[160];
    if (game.ini.crashCode) {
        std::snprintf(ending, sizeof ending, "Crashes after %u ms with exception code 0x%08lX, ", game.ini.stayMs,
                      static_cast<unsigned long>(game.ini.crashCode));
    } else {
        std::snprintf(ending, sizeof ending, "Ends after %u ms with exit code %lld, ", game.ini.stayMs,
                      game.ini.exitCode);
    }
    text += ending;
    text += game.ini.writeLog ? "log \"" + Escape(game.ini.log) + "\"" : std::string("no log");
    text += "\r\nResize: " + game.resizeOutcome + "\r\n\r\n";
    if (!game.openGlFound && !game.gluFound) {
        text += "OpenGL: the system's driver (no libraries beside the game).";
    } else {
        text += "OpenGL libraries beside the game:\r\n";
        text += "Opengl32.dll: " + (game.openGlFound ? Printable(game.openGl) : std::string("(none: the system's)")) +
                "\r\n";
        text += "Glu32.dll: " + (game.gluFound ? Printable(game.glu) : std::string("(none: the system's)"));
    }
    text += "\r\n\r\nPress a key or click to end now.";
    return text;
}

void Paint(HWND window) {
    PaintDC paint(window);
    const HDC dc = paint.get();
    RECT client;
    GetClientRect(window, &client);
    SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const int columnWidth = (client.right - 16) / 3;
    const std::string columns[3] = {
        Column1(g_game),
        "info\\Audio.cfg:\r\n" + Printable(g_game.audio) + "\r\n\r\ninfo\\video.cfg:\r\n" + Printable(g_game.video),
        "info\\keyvalue.cfg:\r\n" + Printable(g_game.keys),
    };
    for (int i = 0; i < 3; ++i) {
        RECT box = {8 + i * columnWidth, 8, 8 + (i + 1) * columnWidth - 8, client.bottom - 8};
        DrawTextA(dc, columns[i].c_str(), -1, &box, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS);
    }
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case kResizeMessage:
        Resize(&g_game);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_TIMER: EndGame(&g_game); return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_CLOSE: EndGame(&g_game); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    ReadWhatTheFrontEndLeft(&g_game, arguments);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    int width = GetSystemMetrics(SM_CXSCREEN) < 760 ? GetSystemMetrics(SM_CXSCREEN) : 760;
    int height = GetSystemMetrics(SM_CYSCREEN) < 560 ? GetSystemMetrics(SM_CYSCREEN) : 560;
    g_game.window =
        CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                        width, height, nullptr, nullptr, instance, nullptr);
    if (!g_game.window) {
        // No window, still a game that ends as told.
        EndGame(&g_game);
        return static_cast<int>(g_game.ini.exitCode);
    }
    UpdateWindow(g_game.window);
    SetForegroundWindow(g_game.window);
    if (g_game.ini.resizeWidth > 0) PostMessageA(g_game.window, kResizeMessage, 0, 0);
    SetTimer(g_game.window, kEndTimer, g_game.ini.stayMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Outside every window procedure: the system swallows some exceptions raised in callbacks.
    // The filter ends the process with the exception code at once, as a game's own crash handler
    // does, instead of waiting for a debugger to write a report.
    if (g_game.ini.crashCode) {
        SetUnhandledExceptionFilter(EndWithExceptionCode);
        RaiseException(g_game.ini.crashCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    return static_cast<int>(g_game.ini.exitCode);
}
