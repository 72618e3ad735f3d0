#include "calculators/port_use.h"

namespace tavrel {

bool HasRearPort(const TEinbau& einbau) {
    return einbau.Typ == EinbauVented || einbau.Typ == EinbauBandpassBivented;
}

bool HasFrontPort(const TEinbau& einbau) {
    return einbau.Typ == EinbauBandpass || einbau.Typ == EinbauBandpassBivented;
}

bool UsePortForEnclosure(const PortResult& port, PortChamber chamber, TEinbau& einbau) {
    const PortFigures& fig = port.figures;
    if (!port.tuned || !(fig.S > 0) || !(fig.Vgeo > 0)) {
        return false;
    }
    if (chamber == PortChamber::Rear && HasRearPort(einbau)) {
        einbau.Aport = fig.S;
        einbau.Vb = fig.Vgeo;
        einbau.fb = fig.fb;
        return true;
    }
    if (chamber == PortChamber::Front && HasFrontPort(einbau)) {
        einbau.Aportf = fig.S;
        einbau.Vbf = fig.Vgeo;
        einbau.fbf = fig.fb;
        return true;
    }
    return false;
}

} // namespace tavrel
