// The process-wide references to the calculator windows: empty at start, each set to its
// window's only instance at the first press of its button, and kept for the run.
#pragma once

class fCorrientes;
class fIntensidad;

namespace Formularios {
inline ::fCorrientes *fCorrientes = nullptr;
inline ::fIntensidad *fIntensidad = nullptr;
} // namespace Formularios
