// Start-up benchmark driver: runs the baseline and the benchmark build of the program in
// turn, each until it exits after its first paint, and prints the median wall time and peak
// resident memory of each and the ratio program/baseline.
//
// Usage: bench_arranque [N]   (N runs of each, 15 by default)
// The children inherit this process's environment, so QT_QPA_PLATFORM (offscreen, xcb under
// xvfb-run...) decides where they paint.
//
// Linux only: the children are started with posix_spawn and reaped with wait4, whose rusage
// gives each child's peak resident set (ru_maxrss, KiB). QProcess reaps its children itself
// and hands back no rusage.
#include "bench/Estadistica.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// A child that has not painted within this many seconds is killed and the run fails.
constexpr unsigned kLimiteSegundos = 60;

volatile sig_atomic_t hijoEnCurso = 0;

void alVencerLimite(int) {
    if (hijoEnCurso > 0)
        kill(pid_t(hijoEnCurso), SIGKILL);
}

struct Medida {
    bool valida = false;
    double ms = 0;
    double kib = 0;
};

// Runs `programa` once; its output goes to /dev/null unless `verSalida`.
Medida Ejecutar(const QByteArray &programa, bool verSalida) {
    Medida medida;
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    if (!verSalida) {
        posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&acciones, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    char *argv[] = {const_cast<char *>(programa.constData()), nullptr};

    QElapsedTimer reloj;
    reloj.start();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, programa.constData(), &acciones, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&acciones);
    if (error != 0) {
        std::fprintf(stderr, "no se pudo iniciar %s: %s\n", programa.constData(),
                     std::strerror(error));
        return medida;
    }
    hijoEnCurso = pid;
    alarm(kLimiteSegundos);
    int estado = 0;
    rusage uso{};
    pid_t r;
    do {
        r = wait4(pid, &estado, 0, &uso);
    } while (r < 0 && errno == EINTR);
    const qint64 ns = reloj.nsecsElapsed();
    alarm(0);
    hijoEnCurso = 0;

    if (r != pid || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::fprintf(stderr, "%s no terminó bien (estado %d)\n", programa.constData(), estado);
        return medida;
    }
    medida.valida = true;
    medida.ms = double(ns) / 1e6;
    medida.kib = double(uso.ru_maxrss);
    return medida;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    int veces = 15;
    if (argc > 1) {
        bool ok = false;
        veces = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || veces < 1) {
            std::fprintf(stderr, "uso: %s [N]\n", argv[0]);
            return 2;
        }
    }

    struct sigaction accion {};
    accion.sa_handler = alVencerLimite;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = 0; // no SA_RESTART: wait4 returns on the alarm
    sigaction(SIGALRM, &accion, nullptr);

    // The children end after their first paint only when they see this variable.
    qputenv("QUORVEL_BENCH_EXIT", "1");

    const QDir aqui(QCoreApplication::applicationDirPath());
    const QByteArray base = QFile::encodeName(aqui.filePath(QStringLiteral("bench_base")));
    const QByteArray programa = QFile::encodeName(aqui.filePath(QStringLiteral("quorvel_bench")));
    for (const QByteArray &ruta : {base, programa}) {
        if (!QFileInfo(QFile::decodeName(ruta)).isExecutable()) {
            std::fprintf(stderr, "falta %s\n", ruta.constData());
            return 1;
        }
    }

    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    const QByteArray pantalla = qgetenv("DISPLAY");
    std::printf("plataforma: %s%s%s\n", plataforma.isEmpty() ? "(por defecto)" : plataforma.data(),
                pantalla.isEmpty() ? "" : ", DISPLAY=", pantalla.constData());
    std::printf("ejecuciones: %d de cada uno, alternadas\n", veces);
    std::fflush(stdout);

    // One run of each, not counted, warms the file cache; its output is shown so that a
    // platform problem can be seen.
    if (!Ejecutar(base, true).valida || !Ejecutar(programa, true).valida)
        return 1;
    std::fflush(stderr);

    std::vector<double> msBase, msPrograma, kibBase, kibPrograma;
    for (int i = 0; i < veces; ++i) {
        const Medida b = Ejecutar(base, false);
        const Medida p = Ejecutar(programa, false);
        if (!b.valida || !p.valida)
            return 1;
        msBase.push_back(b.ms);
        kibBase.push_back(b.kib);
        msPrograma.push_back(p.ms);
        kibPrograma.push_back(p.kib);
    }

    using estadistica::Mediana;
    const double tb = Mediana(msBase), tp = Mediana(msPrograma);
    const double mb = Mediana(kibBase), mp = Mediana(kibPrograma);
    std::printf("base     tiempo mediana %.1f ms (min %.1f, max %.1f)  memoria pico mediana "
                "%.0f KiB\n",
                tb, *std::min_element(msBase.begin(), msBase.end()), estadistica::Maximo(msBase),
                mb);
    std::printf("programa tiempo mediana %.1f ms (min %.1f, max %.1f)  memoria pico mediana "
                "%.0f KiB\n",
                tp, *std::min_element(msPrograma.begin(), msPrograma.end()),
                estadistica::Maximo(msPrograma), mp);
    std::printf("razón programa/base: tiempo %.3f  memoria %.3f\n", tp / tb, mp / mb);
    return 0;
}
