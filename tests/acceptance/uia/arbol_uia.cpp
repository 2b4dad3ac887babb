// The acceptance run's UI Automation client: it reads a window's element tree as a screen reader
// on Windows does, and prints one line per element, "depth<TAB>control type<TAB>name", in UTF-8.
//
//   arbol_uia.exe "EXACT WINDOW TITLE"
//
// Exit code 0 with the tree printed; 1 when there is no such window or UI Automation is missing;
// 3 when the walk does not end in time (Wine 8 deadlocks when asked for a child).
//
// The flat API of uiautomationcore.dll is looked up at run time rather than linked: the
// cross compiler's headers and import library differ between MinGW-w64 releases, and a
// function Wine lacks must give a message, not a program that does not load.
#define WIN32_LEAN_AND_MEAN
#include <windows.h> // before the headers that build on it

#include <ole2.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using Nodo = void *;
struct Condicion {
    int tipo; // ConditionType_True = 0
};
struct PeticionCache { // struct UiaCacheRequest
    Condicion *vista;
    int ambito; // TreeScope_Element = 1
    int *propiedades;
    int nPropiedades;
    int *patrones;
    int nPatrones;
    int modo; // AutomationElementMode_Full = 1
};

enum { kPrimerHijo = 3, kSiguienteHermano = 1 };
enum { kTipoDeControl = 30003, kNombre = 30005 };
constexpr DWORD kLimiteMs = 15000;

HRESULT(WINAPI *NodoDeVentana)(HWND, Nodo *);
HRESULT(WINAPI *Propiedad)(Nodo, int, VARIANT *);
HRESULT(WINAPI *Navegar)(Nodo, int, Condicion *, PeticionCache *, SAFEARRAY **, BSTR *);
BOOL(WINAPI *SoltarNodo)(Nodo);
HRESULT(WINAPI *NodoDeVariante)(VARIANT *, Nodo *);

Condicion siempre{0};
PeticionCache peticion{&siempre, 1, nullptr, 0, nullptr, 0, 1};

void escribir(const std::wstring &texto) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, texto.data(), int(texto.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, texto.data(), int(texto.size()), utf8.data(), n, nullptr,
                        nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

// UIA_ButtonControlTypeId (50000) onwards, in the order the API numbers them.
const wchar_t *NombreDeTipo(long id) {
    static const wchar_t *const nombres[] = {
        L"Button",      L"Calendar",    L"CheckBox",  L"ComboBox", L"Edit",     L"Hyperlink",
        L"Image",       L"ListItem",    L"List",      L"Menu",     L"MenuBar",  L"MenuItem",
        L"ProgressBar", L"RadioButton", L"ScrollBar", L"Slider",   L"Spinner",  L"StatusBar",
        L"Tab",         L"TabItem",     L"Text",      L"ToolBar",  L"ToolTip",  L"Tree",
        L"TreeItem",    L"Custom",      L"Group",     L"Thumb",    L"DataGrid", L"DataItem",
        L"Document",    L"SplitButton", L"Window",    L"Pane",     L"Header",   L"HeaderItem",
        L"Table",       L"TitleBar",    L"Separator"};
    const long i = id - 50000;
    return i >= 0 && i < long(sizeof nombres / sizeof *nombres) ? nombres[i] : L"?";
}

std::wstring Texto(Nodo nodo, int id) {
    VARIANT v;
    VariantInit(&v);
    std::wstring texto;
    if (SUCCEEDED(Propiedad(nodo, id, &v))) {
        if (V_VT(&v) == VT_BSTR && V_BSTR(&v))
            texto = V_BSTR(&v);
        else if (V_VT(&v) == VT_I4)
            texto = NombreDeTipo(V_I4(&v));
    }
    VariantClear(&v);
    // One line per element, whatever the name holds.
    for (wchar_t &c : texto)
        if (c == L'\t' || c == L'\n' || c == L'\r')
            c = L' ';
    return texto;
}

// The node in row 0, column 0 of what UiaNavigate returns.
Nodo Vecino(Nodo nodo, int direccion) {
    SAFEARRAY *datos = nullptr;
    BSTR estructura = nullptr;
    const HRESULT hr = Navegar(nodo, direccion, &siempre, &peticion, &datos, &estructura);
    SysFreeString(estructura);
    if (FAILED(hr) || !datos)
        return nullptr;
    LONG indice[2] = {0, 0};
    VARIANT v;
    VariantInit(&v);
    Nodo vecino = nullptr;
    if (SUCCEEDED(SafeArrayGetElement(datos, indice, &v)) && FAILED(NodoDeVariante(&v, &vecino)))
        vecino = nullptr;
    VariantClear(&v);
    SafeArrayDestroy(datos);
    return vecino;
}

void Recorrer(Nodo nodo, int profundidad) {
    escribir(std::to_wstring(profundidad) + L"\t" + Texto(nodo, kTipoDeControl) + L"\t" +
             Texto(nodo, kNombre) + L"\n");
    for (Nodo hijo = Vecino(nodo, kPrimerHijo); hijo;) {
        Recorrer(hijo, profundidad + 1);
        Nodo siguiente = Vecino(hijo, kSiguienteHermano);
        SoltarNodo(hijo);
        hijo = siguiente;
    }
}

DWORD WINAPI HiloDelRecorrido(void *raiz) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Recorrer(raiz, 0);
    return 0;
}

const wchar_t *buscado;
HWND encontrada;

BOOL CALLBACK PorTitulo(HWND ventana, LPARAM) {
    wchar_t titulo[512];
    if (IsWindowVisible(ventana) && GetWindowTextW(ventana, titulo, 512) &&
        !std::wcscmp(titulo, buscado)) {
        encontrada = ventana;
        return FALSE;
    }
    return TRUE;
}

template <typename F> bool Cargar(HMODULE dll, F &funcion, const char *nombre) {
    funcion = reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(dll, nombre)));
    if (!funcion)
        std::printf("falta %s en uiautomationcore.dll\n", nombre);
    return funcion != nullptr;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc != 2) {
        std::printf("uso: arbol_uia.exe \"TÍTULO EXACTO\"\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const HMODULE dll = LoadLibraryW(L"uiautomationcore.dll");
    if (!dll) {
        std::printf("no se puede cargar uiautomationcore.dll\n");
        return 1;
    }
    bool completa = Cargar(dll, NodoDeVentana, "UiaNodeFromHandle");
    completa &= Cargar(dll, Propiedad, "UiaGetPropertyValue");
    completa &= Cargar(dll, Navegar, "UiaNavigate");
    completa &= Cargar(dll, SoltarNodo, "UiaNodeRelease");
    completa &= Cargar(dll, NodoDeVariante, "UiaHUiaNodeFromVariant");
    if (!completa)
        return 1;

    buscado = argv[1];
    EnumWindows(PorTitulo, 0);
    if (!encontrada) {
        escribir(std::wstring(L"no hay ventana visible «") + buscado + L"»\n");
        return 1;
    }
    Nodo raiz = nullptr;
    const HRESULT hr = NodoDeVentana(encontrada, &raiz);
    if (FAILED(hr) || !raiz) {
        std::printf("UiaNodeFromHandle: 0x%08lx\n", static_cast<unsigned long>(hr));
        return 1;
    }
    // In a thread of its own, under a deadline: a provider that never answers must not hang
    // the acceptance run.
    const HANDLE hilo = CreateThread(nullptr, 0, HiloDelRecorrido, raiz, 0, nullptr);
    if (WaitForSingleObject(hilo, kLimiteMs) == WAIT_TIMEOUT) {
        std::printf("el recorrido no termina en %lu ms\n", kLimiteMs);
        std::fflush(stdout);
        ExitProcess(3);
    }
    CloseHandle(hilo);
    SoltarNodo(raiz);
    return 0;
}
