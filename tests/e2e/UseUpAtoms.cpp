// For the Windows edition's tests: a program that leaks global atoms, as programs that register
// a new window message or clipboard format on every call do, until the session's atom table is
// full; then no program can register a window class of a new name. Usage:
//   vok-use-up-atoms LEFT   adds atoms until no more can be added, deletes LEFT of them, says
//                           how many it holds and holds them until it is ended
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    // The desktop is up before the table fills, as it is in a session a user works in.
    CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                    nullptr);
    std::vector<ATOM> atoms;
    for (unsigned n = 0;; ++n) {
        const ATOM atom = GlobalAddAtomW((L"vok leaked atom " + std::to_wstring(n)).c_str());
        if (!atom)
            break;
        atoms.push_back(atom);
    }
    for (int left = std::atoi(argv[1]); left > 0 && !atoms.empty(); --left) {
        GlobalDeleteAtom(atoms.back());
        atoms.pop_back();
    }
    std::printf("%zu\n", atoms.size());
    std::fflush(stdout);
    Sleep(INFINITE);
}
