#pragma once
// The twelve process-wide named colours, written once: both colour classes
// declare and define their named constants from this list, the opaque colour
// plainly and the alpha colour fully opaque.
//   VANTOR_NAMED_COLOURS(X) calls X(name, red, green, blue) for each of them.

#define VANTOR_NAMED_COLOURS(X)                                                                              \
    X(kBlack, 0, 0, 0)                                                                                       \
    X(kWhite, 255, 255, 255)                                                                                 \
    X(kRed, 243, 32, 32)                                                                                     \
    X(kGreen, 102, 200, 85)                                                                                  \
    X(kBlue, 85, 86, 200)                                                                                    \
    X(kYellow, 219, 230, 49)                                                                                 \
    X(kOrange, 239, 149, 41)                                                                                 \
    X(kTurquoise, 116, 184, 188)                                                                             \
    X(kPurple, 153, 116, 188)                                                                                \
    X(kPink, 226, 74, 160)                                                                                   \
    X(kLightGrey, 208, 208, 208)                                                                             \
    X(kGrey, 147, 147, 147)
