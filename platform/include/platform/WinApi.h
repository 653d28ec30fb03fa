#pragma once

// The few Windows facilities both programs are written against, provided on Linux by this folder.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using HWND = void*;
using HINSTANCE = void*;
using LPSTR = char*;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BOOL = int;

constexpr UINT MB_OK = 0x00000000u;
constexpr UINT MB_YESNO = 0x00000004u;

constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct SYSTEMTIME
{
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

/// The program's entry point; each program defines it. On Linux platform_main's main() calls it.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

/// Modal message box as a real dialog in the X session; the caption is the dialog's title.
/// MB_OK answers IDOK, MB_YESNO answers IDYES or IDNO. Return answers the default button (Yes or OK),
/// Escape answers No; closing the dialog (or a dialog that cannot be shown) answers 0.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

void Sleep(DWORD milliseconds);

/// The program keeps the terminal it was started from; this only makes sure the standard streams are usable.
BOOL AllocConsole();

/// Re-opens a standard stream on the console: "CONIN$" and "CONOUT$" stand for the terminal the program
/// already has, so the stream is kept as it is. Returns 0 on success.
int freopen_s(FILE** stream, const char* fileName, const char* mode, FILE* oldStream);

/// Current UTC date and time of day.
void GetSystemTime(SYSTEMTIME* time);

namespace platform
{

/// Runs a command like the C library's system(), returning the command's exit status. "pause" is handled here
/// as the Windows console does it (pauseConsole on the standard streams), since Linux has no such command.
int runSystemCommand(const char* command);

/// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed, so that a program started with a closed
/// standard stream never finds the next file or connection it opens (the X connection, say) on that stream.
/// Call it first thing, before anything opens a descriptor.
void openClosedStandardDescriptors();

/// Prints a short prompt to out and waits: for one key when in is a terminal, otherwise for a line or the end
/// of input. Input that was read ahead before the prompt does not answer it. Returns 0.
int pauseConsole(FILE* in, FILE* out);

/// Milliseconds since midnight of the given time of day: ((hour * 60 + minute) * 60 + second) * 1000 + ms.
DWORD timeOfDayMilliseconds(const SYSTEMTIME& time);

/// The sample clock: the current UTC time of day in milliseconds, as GetSystemTime gives it.
DWORD sampleClockMilliseconds();

/// The arguments the program was started with, without the program's own name, as Windows keeps them for
/// __argv. The Linux entry point records them before it calls WinMain; they are empty until then.
const std::vector<std::string>& commandLineArguments();
void setCommandLineArguments(int argc, const char* const* argv);

} // namespace platform
