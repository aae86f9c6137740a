// The one platform header of Tonvisor's own code.
//
// On Windows it is the real thing: <windows.h>, <commctrl.h>, <shellapi.h>,
// <mmsystem.h> (link winmm) and <commdlg.h> (link comdlg32). Elsewhere it
// declares the part of Win32 that the program calls, with Windows' names,
// signatures and constant values, so the program compiles unchanged both
// ways. The declarations are implemented by platform/ (one folder per Windows
// library: user32/, gdi32/, kernel32/, shell32/, winmm/, comdlg32/) over one
// of the backends in platform/gtk and platform/headless.
#pragma once

#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <mmsystem.h>
#include <commdlg.h>

#else

#include <cstddef>
#include <cstdint>
#include <fpu_control.h>

// ---- Basic types (LONG and friends are 32 bits wide, as on Windows) ----
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef short SHORT;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef std::int32_t LONG;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void* PVOID;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef std::size_t SIZE_T;
typedef DWORD* LPDWORD;
typedef std::intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;

#define WINAPI
#define CALLBACK
#define APIENTRY
#define TRUE 1
#define FALSE 0

// ---- Handles: distinct pointer types, as with STRICT on Windows ----
#define TONVISOR_DECLARE_HANDLE(name) \
    struct name##__ { int unused; };  \
    typedef struct name##__* name
typedef void* HANDLE;
typedef void* HGDIOBJ;
TONVISOR_DECLARE_HANDLE(HWND);
TONVISOR_DECLARE_HANDLE(HDC);
TONVISOR_DECLARE_HANDLE(HPEN);
TONVISOR_DECLARE_HANDLE(HFONT);
TONVISOR_DECLARE_HANDLE(HBRUSH);
TONVISOR_DECLARE_HANDLE(HINSTANCE);
TONVISOR_DECLARE_HANDLE(HICON);
TONVISOR_DECLARE_HANDLE(HMENU);
TONVISOR_DECLARE_HANDLE(HMIDIOUT);
TONVISOR_DECLARE_HANDLE(HMIDIIN);
TONVISOR_DECLARE_HANDLE(HMIDISTRM);
TONVISOR_DECLARE_HANDLE(HWAVEOUT);
TONVISOR_DECLARE_HANDLE(HWAVEIN);
#undef TONVISOR_DECLARE_HANDLE
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef HMIDIOUT* LPHMIDIOUT;
typedef HMIDIIN* LPHMIDIIN;
typedef HMIDISTRM* LPHMIDISTRM;
typedef HWAVEOUT* LPHWAVEOUT;
typedef HWAVEIN* LPHWAVEIN;

// ---- Records ----
typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID);
typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX;

// ---- Macros ----
#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define MAKEINTRESOURCEA(i) ((LPSTR)((UINT_PTR)((WORD)(i))))
#define IDC_ARROW MAKEINTRESOURCEA(32512)

// ---- Constants ----
#define PS_SOLID 0
#define FW_NORMAL 400
#define ANSI_CHARSET 0
#define OUT_TT_PRECIS 4
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0
#define DEFAULT_GUI_FONT 17

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

#define WM_DESTROY 0x0002
#define WM_ENABLE 0x000A
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORSTATIC 0x0138
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_APP 0x8000
#define EM_GETRECT 0x00B2

#define BS_AUTOCHECKBOX 0x0003
#define BS_TYPEMASK 0x000F
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BN_CLICKED 0

#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_ESCAPE 0x1B

#define IDOK 1
#define IDCANCEL 2

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_OWNDC 0x0020
#define COLOR_BTNFACE 15

#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_TABSTOP 0x00010000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u
#define WS_EX_CLIENTEDGE 0x00000200u
#define WS_EX_STATICEDGE 0x00020000u
#define ES_AUTOHSCROLL 0x0080u
#define ES_READONLY 0x0800u
#define SS_LEFTNOWORDWRAP 0x000Cu
#define SS_NOPREFIX 0x0080u
#define SS_CENTERIMAGE 0x0200u
#define SS_ENDELLIPSIS 0x4000u

#define SPI_GETWORKAREA 0x0030
#define SWP_NOSIZE 0x0001
#define SW_SHOWNORMAL 1
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_DEVICE 0x00000040
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_DATE_CLASSES 0x00000100

// ---- GDI ----
HPEN WINAPI CreatePen(int style, int width, COLORREF colour);
HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName);
HBRUSH WINAPI CreateSolidBrush(COLORREF colour);
HGDIOBJ WINAPI GetStockObject(int object);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
BOOL WINAPI DeleteObject(HGDIOBJ object);
BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC dc, int x, int y);
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour);
BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);

// ---- USER ----
ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass);
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
BOOL WINAPI ShowWindow(HWND window, int show);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags);
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
BOOL WINAPI IsWindow(HWND window);
BOOL WINAPI EnableWindow(HWND window, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND window);
HWND WINAPI GetActiveWindow(void);
HWND WINAPI SetFocus(HWND window);
int WINAPI GetWindowTextA(HWND window, LPSTR text, int maxCount);
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
HDC WINAPI GetDC(HWND window);
int WINAPI ReleaseDC(HWND window, HDC dc);
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);
int WINAPI GetSystemMetrics(int index);
BOOL WINAPI SystemParametersInfoA(UINT action, UINT param, PVOID data, UINT winIni);
BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect);
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);
BOOL WINAPI GetCursorPos(LPPOINT point);

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL WINAPI TranslateMessage(const MSG* message);
LRESULT WINAPI DispatchMessageA(const MSG* message);
BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG message);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int exitCode);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL WINAPI KillTimer(HWND window, UINT_PTR id);

// ---- Common controls ----
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// ---- Kernel ----
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
DWORD WINAPI GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
DWORD WINAPI GetFileAttributesA(LPCSTR fileName);
DWORD WINAPI GetTickCount(void);
// Threads run at once (no CREATE_SUSPENDED) with the default stack; closing
// the handle lets the thread run on to its end.
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                           LPVOID parameter, DWORD flags, LPDWORD threadId);
BOOL WINAPI CloseHandle(HANDLE handle);

// ---- Shell ----
HINSTANCE WINAPI ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT showCommand);

// ---- Multimedia (<mmsystem.h>, winmm) ----
typedef UINT MMRESULT;
typedef UINT MMVERSION;
#define MIDI_MAPPER ((UINT)-1)
#define MAXERRORLENGTH 256
#define MAXPNAMELEN 32

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOTSUPPORTED 8
#define MMSYSERR_BADERRNUM 9
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define MIDIERR_NODEVICE 68
#define CALLBACK_TYPEMASK 0x00070000
#define CALLBACK_NULL 0x00000000
#define CALLBACK_WINDOW 0x00010000

// MIDI output: one synthesizer behind MIDI_MAPPER. With CALLBACK_WINDOW the
// window receives MM_MOM_CLOSE when it is closed.
#define MM_MOM_CLOSE 0x3C8

UINT WINAPI midiOutGetNumDevs(void);
MMRESULT WINAPI midiOutOpen(LPHMIDIOUT midiOut, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance,
                            DWORD flags);
MMRESULT WINAPI midiOutShortMsg(HMIDIOUT midiOut, DWORD message);
MMRESULT WINAPI midiOutReset(HMIDIOUT midiOut);
MMRESULT WINAPI midiOutClose(HMIDIOUT midiOut);
MMRESULT WINAPI midiOutGetErrorTextA(MMRESULT error, LPSTR text, UINT size);

// MIDI streams: the device times a queue of buffers of timed events itself.
// A stream handle is also a MIDI output handle for midiOutPrepareHeader and
// midiOutUnprepareHeader. Buffers hold MIDIEVENTs, a short one three DWORDs
// (no dwParms), and are smaller than 64 KB.
#define MIDIERR_UNPREPARED 64
#define MIDIERR_STILLPLAYING 65
#define MHDR_DONE 0x00000001
#define MHDR_PREPARED 0x00000002
#define MHDR_INQUEUE 0x00000004
#define MHDR_ISSTRM 0x00000008
#define MEVT_F_SHORT 0x00000000L
#define MEVT_F_LONG 0x80000000L
#define MEVT_F_CALLBACK 0x40000000L
#define MEVT_EVENTTYPE(x) ((BYTE)(((x) >> 24) & 0xFF))
#define MEVT_EVENTPARM(x) ((DWORD)((x) & 0x00FFFFFFL))
#define MEVT_SHORTMSG ((BYTE)0x00)
#define MEVT_NOP ((BYTE)0x02)
#define MIDIPROP_SET 0x80000000L
#define MIDIPROP_GET 0x40000000L
#define MIDIPROP_TIMEDIV 0x00000001L
#define MIDIPROP_TEMPO 0x00000002L
#define TIME_TICKS 0x0020

typedef struct midihdr_tag {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    struct midihdr_tag* lpNext;
    DWORD_PTR reserved;
    DWORD dwOffset;
    DWORD_PTR dwReserved[8];
} MIDIHDR, *LPMIDIHDR;

typedef struct midievent_tag {
    DWORD dwDeltaTime;
    DWORD dwStreamID;
    DWORD dwEvent;
    DWORD dwParms[1];
} MIDIEVENT;

typedef struct midiproptimediv_tag {
    DWORD cbStruct;
    DWORD dwTimeDiv;
} MIDIPROPTIMEDIV;

typedef struct midiproptempo_tag {
    DWORD cbStruct;
    DWORD dwTempo;
} MIDIPROPTEMPO;

struct mmtime_tag;
MMRESULT WINAPI midiStreamOpen(LPHMIDISTRM stream, UINT* deviceId, DWORD midiCount, DWORD_PTR callback,
                               DWORD_PTR instance, DWORD flags);
MMRESULT WINAPI midiStreamProperty(HMIDISTRM stream, BYTE* property, DWORD flags);
MMRESULT WINAPI midiOutPrepareHeader(HMIDIOUT midiOut, LPMIDIHDR header, UINT headerSize);
MMRESULT WINAPI midiOutUnprepareHeader(HMIDIOUT midiOut, LPMIDIHDR header, UINT headerSize);
MMRESULT WINAPI midiStreamOut(HMIDISTRM stream, LPMIDIHDR header, UINT headerSize);
MMRESULT WINAPI midiStreamRestart(HMIDISTRM stream);
MMRESULT WINAPI midiStreamPause(HMIDISTRM stream);
MMRESULT WINAPI midiStreamStop(HMIDISTRM stream);
MMRESULT WINAPI midiStreamPosition(HMIDISTRM stream, struct mmtime_tag* time, UINT timeSize);
MMRESULT WINAPI midiStreamClose(HMIDISTRM stream);

// MIDI input. With CALLBACK_WINDOW the window receives MM_MIM_OPEN when the
// device is opened, MM_MIM_DATA (wParam the HMIDIIN, lParam the message: status
// byte lowest) for each short message after midiInStart, and MM_MIM_CLOSE when
// it is closed.
typedef struct tagMIDIINCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwSupport;
} MIDIINCAPSA, *LPMIDIINCAPSA;

#define MM_MIM_OPEN 0x3C1
#define MM_MIM_CLOSE 0x3C2
#define MM_MIM_DATA 0x3C3

UINT WINAPI midiInGetNumDevs(void);
MMRESULT WINAPI midiInGetDevCapsA(UINT_PTR deviceId, LPMIDIINCAPSA caps, UINT capsSize);
MMRESULT WINAPI midiInOpen(LPHMIDIIN input, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance,
                           DWORD flags);
MMRESULT WINAPI midiInStart(HMIDIIN input);
MMRESULT WINAPI midiInStop(HMIDIIN input);
MMRESULT WINAPI midiInReset(HMIDIIN input);
MMRESULT WINAPI midiInClose(HMIDIIN input);

// Wave audio: 16-bit PCM, mono or stereo, 8 kHz to 192 kHz. With
// CALLBACK_WINDOW an output's window receives MM_WOM_OPEN, MM_WOM_DONE (wParam
// the HWAVEOUT, lParam the WAVEHDR played) and MM_WOM_CLOSE; an input's
// MM_WIM_OPEN, MM_WIM_DATA (lParam the WAVEHDR filled, dwBytesRecorded set)
// and MM_WIM_CLOSE.
#define WAVE_MAPPER ((UINT)-1)
#define WAVE_FORMAT_PCM 1
#define WAVERR_BADFORMAT 32
#define WAVERR_STILLPLAYING 33
#define WAVERR_UNPREPARED 34
#define MMSYSERR_NOMEM 7
#define WHDR_DONE 0x00000001
#define WHDR_PREPARED 0x00000002
#define WHDR_BEGINLOOP 0x00000004
#define WHDR_ENDLOOP 0x00000008
#define WHDR_INQUEUE 0x00000010
#define TIME_MS 0x0001
#define TIME_SAMPLES 0x0002
#define TIME_BYTES 0x0004
#define MM_WOM_OPEN 0x3BB
#define MM_WOM_CLOSE 0x3BC
#define MM_WOM_DONE 0x3BD
#define MM_WIM_OPEN 0x3BE
#define MM_WIM_CLOSE 0x3BF
#define MM_WIM_DATA 0x3C0
#define WOM_DONE MM_WOM_DONE
#define WIM_DATA MM_WIM_DATA

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

typedef struct wavehdr_tag {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    struct wavehdr_tag* lpNext;
    DWORD_PTR reserved;
} WAVEHDR, *LPWAVEHDR;

typedef struct mmtime_tag {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
        DWORD ticks;
        struct {
            BYTE hour, min, sec, frame, fps, dummy;
            BYTE pad[2];
        } smpte;
        struct {
            DWORD songptrpos;
        } midi;
    } u;
} MMTIME, *LPMMTIME;

typedef struct tagWAVEINCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
} WAVEINCAPSA, *LPWAVEINCAPSA;

UINT WINAPI waveOutGetNumDevs(void);
MMRESULT WINAPI waveOutOpen(LPHWAVEOUT output, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                            DWORD_PTR instance, DWORD flags);
MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT output, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveOutWrite(HWAVEOUT output, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveOutGetPosition(HWAVEOUT output, LPMMTIME time, UINT timeSize);
MMRESULT WINAPI waveOutPause(HWAVEOUT output);
MMRESULT WINAPI waveOutRestart(HWAVEOUT output);
MMRESULT WINAPI waveOutReset(HWAVEOUT output);
MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT output, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveOutClose(HWAVEOUT output);
MMRESULT WINAPI waveOutGetErrorTextA(MMRESULT error, LPSTR text, UINT size);

UINT WINAPI waveInGetNumDevs(void);
MMRESULT WINAPI waveInGetDevCapsA(UINT_PTR deviceId, LPWAVEINCAPSA caps, UINT capsSize);
MMRESULT WINAPI waveInOpen(LPHWAVEIN input, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags);
MMRESULT WINAPI waveInPrepareHeader(HWAVEIN input, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveInAddBuffer(HWAVEIN input, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveInStart(HWAVEIN input);
MMRESULT WINAPI waveInStop(HWAVEIN input);
MMRESULT WINAPI waveInReset(HWAVEIN input);
MMRESULT WINAPI waveInUnprepareHeader(HWAVEIN input, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveInClose(HWAVEIN input);

// ---- Whole pieces: bitmaps, a resizable window, the wheel, files ----
typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;
typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: the rows run from the top down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;
typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;
#define BI_RGB 0
#define DIB_RGB_COLORS 0
#define SRCCOPY 0x00CC0020u
// 32 bits a pixel (blue, green, red, unused) only, and SRCCOPY only.
int WINAPI StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSource,
                         int ySource, int sourceWidth, int sourceHeight, const void* bits,
                         const BITMAPINFO* info, UINT usage, DWORD rop);

#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define WM_SIZE 0x0005
#define WM_MOUSEWHEEL 0x020A
#define WM_DROPFILES 0x0233
#define MK_CONTROL 0x0008
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(w) ((short)HIWORD(w))
#define GET_KEYSTATE_WPARAM(w) (LOWORD(w))
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_RIGHT 0x27
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_OEM_PLUS 0xBB
#define VK_OEM_MINUS 0xBD
#define VK_CONTROL 0x11
SHORT WINAPI GetKeyState(int virtualKey);
#define SW_HIDE 0
// Drawing in the window leaves its controls alone: always so on this layer,
// whose controls lie on top of the window's picture.
#define WS_CLIPCHILDREN 0x02000000u
#define MB_OK 0x00000000u
#define MB_ICONERROR 0x00000010u
// The "scrollbar" control: SBS_HORZ, SB_CTL. Its parent receives WM_HSCROLL
// (LOWORD(wParam) the request, HIWORD the position for SB_THUMBTRACK and
// SB_THUMBPOSITION, lParam the control) and moves the thumb itself with
// SetScrollInfo.
typedef struct tagSCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;
#define WM_HSCROLL 0x0114
#define SBS_HORZ 0x0000
#define SB_CTL 2
#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_TRACKPOS 0x0010
#define SIF_ALL 0x0017
#define SB_LINELEFT 0
#define SB_LINERIGHT 1
#define SB_PAGELEFT 2
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_LEFT 6
#define SB_RIGHT 7
#define SB_ENDSCROLL 8
int WINAPI SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL WINAPI GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
BOOL WINAPI ScreenToClient(HWND window, LPPOINT point);
// The whole client area only (rect null).
BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// comdlg32: the file open dialog. No hook, no template, no multiple selection.
typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef struct tagOFNA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // pairs of a description and a pattern ("*.mid;*.midi"), ending in two zeros
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;  // in: the initial name; out: the chosen path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
} OPENFILENAMEA, *LPOPENFILENAMEA;
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA openFile);
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA saveFile);

// shell32: files dropped on a window that accepts them.
struct HDROP__ {
    int unused;
};
typedef struct HDROP__* HDROP;
void WINAPI DragAcceptFiles(HWND window, BOOL accept);
// index 0xFFFFFFFF: the number of files; a null buffer: the length of the name.
UINT WINAPI DragQueryFileA(HDROP drop, UINT index, LPSTR file, UINT size);
void WINAPI DragFinish(HDROP drop);
// ---- C runtime (<float.h> on Windows): x87 precision control ----
// Only the precision field is implemented: the start-up selects _PC_64.
#define _MCW_PC 0x00030000u
#define _PC_24 0x00020000u
#define _PC_53 0x00010000u
#define _PC_64 0x00000000u
inline unsigned int _controlfp(unsigned int newValue, unsigned int mask) {
    fpu_control_t word;
    _FPU_GETCW(word);
    if (mask & _MCW_PC) {
        unsigned int precision = newValue & _MCW_PC;
        word = (word & ~_FPU_EXTENDED) | (precision == _PC_24   ? _FPU_SINGLE
                                          : precision == _PC_53 ? _FPU_DOUBLE
                                                                : _FPU_EXTENDED);
        _FPU_SETCW(word);
    }
    unsigned int field = word & _FPU_EXTENDED;
    return field == _FPU_SINGLE ? _PC_24 : field == _FPU_DOUBLE ? _PC_53 : _PC_64;
}

// The program's entry point; on Linux the platform's main() calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

#endif
