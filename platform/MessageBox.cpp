#include "Utf8.h"
#include "platform/MessageBoxSeam.h"
#include "platform/WinApi.h"

#include <SDL_messagebox.h>

#include <utility>

namespace platform
{

namespace
{

// SDL button ids; the answers are mapped to the Windows ones afterwards.
constexpr int kButtonFirst = 1;
constexpr int kButtonSecond = 0;
constexpr int kClosedOrFailed = 0;

// The low bits of a message box type select its buttons; the others (icons, modality) do not matter here.
constexpr UINT kButtonsMask = 0x0000000Fu;

bool isYesNo(UINT type)
{
    return (type & kButtonsMask) == MB_YESNO;
}

int answerForButton(UINT type, int buttonId)
{
    if (buttonId == kButtonFirst)
    {
        return isYesNo(type) ? IDYES : IDOK;
    }
    if (buttonId == kButtonSecond && isYesNo(type))
    {
        return IDNO;
    }
    return kClosedOrFailed;
}

MessageBoxResponder& responderSlot()
{
    static MessageBoxResponder responder;
    return responder;
}

// The id of the chosen button, or -1 when the dialog was closed or could not be shown.
int showDialog(const MessageBoxRequest& request, const SDL_MessageBoxButtonData* buttons, int buttonCount)
{
    const SDL_MessageBoxData data = {SDL_MESSAGEBOX_INFORMATION,
                                     nullptr,
                                     request.caption.c_str(),
                                     request.text.c_str(),
                                     buttonCount,
                                     buttons,
                                     nullptr};
    int buttonId = -1;
    if (SDL_ShowMessageBox(&data, &buttonId) != 0)
    {
        return -1;
    }
    return buttonId;
}

int showYesNoDialog(const MessageBoxRequest& request)
{
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kButtonFirst, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonSecond, "No"},
    };
    return answerForButton(MB_YESNO, showDialog(request, buttons, 2));
}

int showOkDialog(const MessageBoxRequest& request)
{
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonFirst, "OK"},
    };
    return answerForButton(MB_OK, showDialog(request, buttons, 1));
}

int answer(const MessageBoxRequest& request)
{
    if (responderSlot())
    {
        return responderSlot()(request);
    }
    return isYesNo(request.type) ? showYesNoDialog(request) : showOkDialog(request);
}

} // namespace

void setMessageBoxResponder(MessageBoxResponder responder)
{
    responderSlot() = std::move(responder);
}

} // namespace platform

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT type)
{
    return platform::answer({text != nullptr ? text : "", caption != nullptr ? caption : "", type});
}

int MessageBoxW(HWND /*owner*/, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return platform::answer({platform::toUtf8(text), platform::toUtf8(caption), type});
}
