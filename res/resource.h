// Resource ids of the images, shared by the .rc and the windows.
#pragma once

#define IMG_LIGHTS 101       // I1, the program's icon: all three lamps lit
#define IMG_LAMP_AMBER 102   // I2
#define IMG_LAMP_GREEN 103   // I3
#define IMG_LAMP_RED 104     // I4
#define IMG_CLOCK_FACE 105   // I5
#define IMG_ALARM_CLOCK 106  // I6
#define IMG_ERASER 107       // I7
#define IMG_PLUS 108         // I8
#define IMG_QUESTION 109     // I9
#define IMG_QUESTION_BMP 110     // I10
#define IMG_CALENDAR_BMP 111     // I11
#define IMG_FLOPPY_BMP 112       // I12
#define IMG_FOLDER_BMP 113       // I13
#define IMG_HAND_SLIDER 114  // I14, kept as an icon image, shown as the slider's pointer
#define IMG_DONATE_GIF 115   // I15
#define IMG_HAND_CURSOR 116         // I16
#define IMG_CARTON 117       // I17
