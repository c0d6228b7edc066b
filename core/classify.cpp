#include "core/classify.h"

namespace pulvar {

PulseBand ClassifyPulse(double pulse) {
    if (pulse > 100) return PulseBand::Fast;
    if (pulse >= 60) return PulseBand::Normal;
    return PulseBand::Slow;
}

PressureBand ClassifyPressure(double diastolic) {
    if (diastolic > 110) return PressureBand::Stage3;
    if (diastolic > 100) return PressureBand::Stage2;
    if (diastolic > 90) return PressureBand::Stage1;
    // 85 itself falls between "above 85" and "below 85"; it is high-normal,
    // as blood-pressure guidelines class it.
    if (diastolic >= 85) return PressureBand::HighNormal;
    if (diastolic <= 60) return PressureBand::Low;
    return PressureBand::Normal;
}

const char* PulseSentence(PulseBand band) {
    switch (band) {
        case PulseBand::Fast:
            return ", Taquicardica , muy rapida (es normal durante el ejercicio).";
        case PulseBand::Normal:
            return ", Completamente Normal. ";
        case PulseBand::Slow:
            break;
    }
    return ", Bradicardica, muy lenta (es normal despues de dormir).";
}

PressureOutputs PressureOutput(PressureBand band) {
    switch (band) {
        case PressureBand::Stage3:
            return {", Hipertension estadio 3 ,severa.Podria necesitar tratamiento inmediato ,debe "
                    "consultar con un Medico.",
                    100, kRed, Lamp::Red};
        case PressureBand::Stage2:
            return {", Hipertension estadio 2, moderada. Consultelo con su Medico , si no tiene "
                    "sintomas debe ser tomada de nuevo en menos de 1 mes.",
                    75, kYellow, Lamp::Amber};
        case PressureBand::Stage1:
            return {", Hipertension estadio 1 , leve.Confirmarlo tomando de nuevo la presion antes "
                    "de 2 meses.Si tiene sintomas relacionados , debe consultarlo con un Medico.El "
                    "podria darle tratamiento si es necesario.",
                    50, kYellow, Lamp::Amber};
        case PressureBand::HighNormal:
            return {", Normal elevada.Confirmarlo tomando de nuevo la presion en 1 año.", 25,
                    kYellow, Lamp::Amber};
        case PressureBand::Low:
            return {", Hipotenso , no es normal( desmayo o sangramiento?).Por favor consultelo con "
                    "su Medico.",
                    100, kRed, Lamp::Red};
        case PressureBand::Normal:
            break;
    }
    return {", Normal.Debe chequear su presion cada año.", 0, kGreen, Lamp::Green};
}

Results ShowResultsFor(const Reading& reading, const NumberFormat& format) {
    const double pulse = reading.Pulse.value_or(0);
    const double diastolic = reading.Diastolic.value_or(0);
    PressureOutputs pressure = PressureOutput(ClassifyPressure(diastolic));

    Results results;
    results.pulseCaption = WriteValue(reading.Pulse, format) + PulseSentence(ClassifyPulse(pulse));
    results.pressureCaption = WriteValue(reading.Systolic, format) + "/" +
                              WriteValue(reading.Diastolic, format) + pressure.sentence;
    results.gauge = pressure.gauge;
    results.colour = pressure.colour;
    results.lamp = pressure.lamp;
    return results;
}

}  // namespace pulvar
