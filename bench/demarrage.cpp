// Starts a program several times on the X display and measures, for each run,
// the time until a window whose title holds a given text is on screen, and the
// program's peak memory once it is there. Prints the medians:
//   bench_demarrage [-k KEY TITLE2] RUNS TITLE FOLDER PROGRAM [ARGS...]
// -> "<median start in ms> <median peak resident memory in kB>"
// With -k, once the window TITLE is there the key KEY (an X key name: F2) is
// pressed in it, and the time runs until a window whose title holds TITLE2 is
// on screen as well. The program runs in FOLDER (it reads its files there)
// and is killed after each run, so that it writes nothing back.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

std::string Propriete(Display* d, Window w, Atom a) {
    Atom type;
    int format;
    unsigned long n, reste;
    unsigned char* donnees = nullptr;
    std::string s;
    if (XGetWindowProperty(d, w, a, 0, 1024, False, AnyPropertyType, &type, &format, &n, &reste,
                           &donnees) == Success &&
        donnees) {
        if (format == 8) s.assign(reinterpret_cast<char*>(donnees), n);
        XFree(donnees);
    }
    return s;
}

// A top-level window on screen whose title holds the text; None when there is none.
Window FenetreVisible(Display* d, const std::string& titre) {
    const Atom nomNet = XInternAtom(d, "_NET_WM_NAME", False);
    Window racine, parent, *enfants = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &racine, &parent, &enfants, &n)) return None;
    Window trouvee = None;
    for (unsigned int i = 0; i < n && trouvee == None; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, enfants[i], &a) || a.map_state != IsViewable) continue;
        if (Propriete(d, enfants[i], nomNet).find(titre) != std::string::npos ||
            Propriete(d, enfants[i], XA_WM_NAME).find(titre) != std::string::npos)
            trouvee = enfants[i];
    }
    if (enfants) XFree(enfants);
    return trouvee;
}

// The key pressed and released in the window, which gets the input focus
// first (there is no window manager to give it).
void Touche(Display* d, Window w, KeySym touche) {
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XKeyEvent e{};
    e.display = d;
    e.window = w;
    e.root = DefaultRootWindow(d);
    e.subwindow = None;
    e.time = CurrentTime;
    e.same_screen = True;
    e.keycode = XKeysymToKeycode(d, touche);
    for (const int type : {KeyPress, KeyRelease}) {
        e.type = type;
        XSendEvent(d, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                   reinterpret_cast<XEvent*>(&e));
    }
    XFlush(d);
}

long PicMemoireKo(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmHWM:", 0) == 0) return std::atol(ligne.c_str() + 6);
    return -1;
}

// A window can go (the splash) between listing it and asking for its
// attributes: that is no error here.
int IgnoreErreur(Display*, XErrorEvent*) {
    return 0;
}

template <typename T> T Mediane(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    KeySym touche = NoSymbol;
    std::string titreApres;
    if (argc > 3 && std::string(argv[1]) == "-k") {
        touche = XStringToKeysym(argv[2]);
        titreApres = argv[3];
        argv += 3;
        argc -= 3;
    }
    if (argc < 5) {
        std::fputs("usage: bench_demarrage [-k TOUCHE TITRE2] ESSAIS TITRE DOSSIER PROGRAMME "
                   "[ARGUMENTS...]\n",
                   stderr);
        return 2;
    }
    const int essais = std::max(1, std::atoi(argv[1]));
    const std::string titre = argv[2];
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fputs("bench_demarrage: pas d'affichage X (DISPLAY)\n", stderr);
        return 1;
    }
    XSetErrorHandler(IgnoreErreur);
    std::vector<double> temps;
    std::vector<long> memoires;
    for (int e = 0; e < essais; ++e) {
        const auto debut = Horloge::now();
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(argv[3]) != 0) _exit(127);
            execv(argv[4], argv + 4);
            _exit(127);
        }
        bool vu = false, touchee = false;
        while (Horloge::now() - debut < std::chrono::seconds(60)) {
            if (touche != NoSymbol && !touchee) {
                if (const Window w = FenetreVisible(d, titre)) {
                    Touche(d, w, touche);
                    touchee = true;
                }
            } else if (FenetreVisible(d, touche != NoSymbol ? titreApres : titre)) {
                vu = true;
                break;
            }
            if (waitpid(pid, nullptr, WNOHANG) == pid) break; // it stopped on its own
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const double ms = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
        // Whatever the first showing still does is done within this pause.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const long ko = PicMemoireKo(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        if (!vu) {
            std::fprintf(stderr, "bench_demarrage: aucune fenêtre « %s »\n",
                         (touche != NoSymbol ? titreApres : titre).c_str());
            return 1;
        }
        std::fprintf(stderr, "  %s: %.0f ms, %ld kB\n", argv[4], ms, ko);
        temps.push_back(ms);
        memoires.push_back(ko);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    std::printf("%.1f %ld\n", Mediane(temps), Mediane(memoires));
    XCloseDisplay(d);
    return 0;
}
