// The acceptance run's look at a window as Windows itself holds it: prints the title of the
// window's owner (GetWindow GW_OWNER), which Windows keeps the window above and which gives
// the window no taskbar button of its own, in UTF-8; an empty line when it has none.
//
//   duena.exe "EXACT WINDOW TITLE"
//
// Exit code 0 with the owner's title printed; 1 when there is no such window.
#define WIN32_LEAN_AND_MEAN
#include <windows.h> // before the headers that build on it

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring &texto) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, texto.c_str(), int(texto.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string salida(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, texto.c_str(), int(texto.size()), salida.data(), n, nullptr,
                        nullptr);
    return salida;
}

} // namespace

int main() {
    // The title as given, whatever the code page: from the wide command line.
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fprintf(stderr, "uso: duena.exe \"TÍTULO EXACTO\"\n");
        return 2;
    }
    const HWND ventana = FindWindowW(nullptr, argv[1]);
    if (!ventana) {
        std::fprintf(stderr, "no hay ninguna ventana con ese título\n");
        return 1;
    }
    std::wstring titulo;
    if (const HWND duena = GetWindow(ventana, GW_OWNER)) {
        titulo.resize(std::size_t(GetWindowTextLengthW(duena)) + 1);
        titulo.resize(std::size_t(GetWindowTextW(duena, titulo.data(), int(titulo.size()))));
    }
    std::printf("%s\n", Utf8(titulo).c_str());
    return 0;
}
