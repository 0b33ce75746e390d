#include "launcher/message_loop.h"

int RunMessageLoop(MessageReader read) {
    MSG message = {};
    BOOL got = 0;
    while ((got = read(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}
