#include "app/OMessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

OMessageBox::Handler& OMessageBox::CurrentHandler() {
    static Handler handler;
    return handler;
}

void OMessageBox::SetHandler(Handler handler) {
    CurrentHandler() = std::move(handler);
}

void OMessageBox::Show(const std::string& caption, const std::string& text, Icon icon) {
    if (CurrentHandler()) {
        CurrentHandler()(caption, text, icon);
        return;
    }
    Uint32 flags = icon == Icon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
}
