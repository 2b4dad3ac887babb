#include "ui/Pitido.h"

#include <emscripten.h>

// A tenth of a second at 880 Hz, faded out so that it ends without a click. The audio context
// is made at the first beep, which always follows a keystroke: browsers let a page start sound
// only after the user has done something on it. Where the browser has no Web Audio, or refuses
// it, the keystroke is refused silently, as on a desktop without sound.
EM_JS(void, quorvel_pitido, (), {
    try {
        const Contexto = globalThis.AudioContext || globalThis.webkitAudioContext;
        if (!Contexto)
            return;
        const audio = Module.quorvelAudio || (Module.quorvelAudio = new Contexto());
        if (audio.state == "suspended")
            audio.resume();
        const tono = audio.createOscillator();
        const volumen = audio.createGain();
        const ahora = audio.currentTime;
        tono.frequency.value = 880;
        volumen.gain.setValueAtTime(0.2, ahora);
        volumen.gain.exponentialRampToValueAtTime(0.001, ahora + 0.1);
        tono.connect(volumen);
        volumen.connect(audio.destination);
        tono.start(ahora);
        tono.stop(ahora + 0.1);
    } catch (e) {
    }
});

void Pitido() {
    quorvel_pitido();
}
