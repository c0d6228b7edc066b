#include "core/classify.h"

#include <gtest/gtest.h>

namespace pulvar {
namespace {

const NumberFormat kStop{".", ","};
const NumberFormat kComma{",", "."};

TEST(ClassifyPulse, BandBoundaries) {
    struct Case {
        double pulse;
        PulseBand band;
    } cases[] = {{100.5, PulseBand::Fast}, {101, PulseBand::Fast},  {100, PulseBand::Normal},
                 {60, PulseBand::Normal},  {72, PulseBand::Normal}, {59.9, PulseBand::Slow},
                 {0, PulseBand::Slow},     {-5, PulseBand::Slow}};
    for (const Case& c : cases) EXPECT_EQ(ClassifyPulse(c.pulse), c.band) << c.pulse;
}

TEST(ClassifyPressure, BandBoundariesOnTheDiastolicValue) {
    struct Case {
        double diastolic;
        PressureBand band;
    } cases[] = {
        {110.5, PressureBand::Stage3},     {110, PressureBand::Stage2},
        {100.5, PressureBand::Stage2},     {100, PressureBand::Stage1},
        {90.5, PressureBand::Stage1},      {90, PressureBand::HighNormal},
        {85.5, PressureBand::HighNormal},  {85, PressureBand::HighNormal},
        {84.9, PressureBand::Normal},      {60.5, PressureBand::Normal},
        {60, PressureBand::Low},           {0, PressureBand::Low},
        {-10, PressureBand::Low},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyPressure(c.diastolic), c.band) << c.diastolic;
}

TEST(PressureOutput, GaugeColourAndLampPerBand) {
    struct Case {
        PressureBand band;
        int gauge;
        std::uint32_t colour;
        Lamp lamp;
    } cases[] = {
        {PressureBand::Stage3, 100, 0xFF, Lamp::Red},       {PressureBand::Stage2, 75, 0xFFFF, Lamp::Amber},
        {PressureBand::Stage1, 50, 0xFFFF, Lamp::Amber},    {PressureBand::HighNormal, 25, 0xFFFF, Lamp::Amber},
        {PressureBand::Low, 100, 0xFF, Lamp::Red},          {PressureBand::Normal, 0, 0xFF00, Lamp::Green},
    };
    for (const Case& c : cases) {
        PressureOutputs out = PressureOutput(c.band);
        EXPECT_EQ(out.gauge, c.gauge);
        EXPECT_EQ(out.colour, c.colour);
        EXPECT_EQ(out.lamp, c.lamp);
    }
}

TEST(ShowResultsFor, EveryCaptionExactly) {
    struct Case {
        double pulse, systolic, diastolic;
        const char *label7, *label8;
    } cases[] = {
        {72, 120, 80, "72, Completamente Normal. ", "120/80, Normal.Debe chequear su presion cada año."},
        {120, 200, 115, "120, Taquicardica , muy rapida (es normal durante el ejercicio).",
         "200/115, Hipertension estadio 3 ,severa.Podria necesitar tratamiento inmediato ,debe consultar con un Medico."},
        {50, 160, 105, "50, Bradicardica, muy lenta (es normal despues de dormir).",
         "160/105, Hipertension estadio 2, moderada. Consultelo con su Medico , si no tiene sintomas debe ser tomada de nuevo en menos de 1 mes."},
        {60, 145, 95, "60, Completamente Normal. ",
         "145/95, Hipertension estadio 1 , leve.Confirmarlo tomando de nuevo la presion antes de 2 meses.Si tiene sintomas relacionados , debe consultarlo con un Medico.El podria darle tratamiento si es necesario."},
        {100, 135, 88, "100, Completamente Normal. ",
         "135/88, Normal elevada.Confirmarlo tomando de nuevo la presion en 1 año."},
        {0, 0, 0, "0, Bradicardica, muy lenta (es normal despues de dormir).",
         "0/0, Hipotenso , no es normal( desmayo o sangramiento?).Por favor consultelo con su Medico."},
    };
    for (const Case& c : cases) {
        Results r = ShowResultsFor({c.pulse, c.systolic, c.diastolic}, kStop);
        EXPECT_EQ(r.pulseCaption, c.label7);
        EXPECT_EQ(r.pressureCaption, c.label8);
    }
}

TEST(ShowResultsFor, FractionsUseTheRegionalSeparator) {
    Results r = ShowResultsFor({72.5, 120.25, 90.5}, kComma);
    EXPECT_EQ(r.pulseCaption, "72,5, Completamente Normal. ");
    EXPECT_EQ(r.pressureCaption.substr(0, 11), "120,25/90,5");
    EXPECT_EQ(r.gauge, 50);
}

}  // namespace
}  // namespace pulvar
