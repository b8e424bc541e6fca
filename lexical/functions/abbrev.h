#pragma once
// abbrev-def and abbrev-with-def: an abbreviation in brackets next to its
// spelled-out form ("World Health Organization (WHO)", "WHO (World Health
// Organization)") becomes three nested items.
//
// Letter matching: the letters and digits of the abbreviation, compared
// without regard to case, are matched in order against the initials of the
// words of the spelled-out form. A word whose initial is not the letter
// wanted may be passed over when it is a short function word (about among as
// at but by for from in into of off on out to up with, or "-"); any other
// word ends the match. A word may also supply several consecutive letters:
// its initial followed by the capitals inside it ("GmbH" for GH, "PhD" for
// PD). An abbreviation needs at least two letters and one word of its own.
namespace velmo {

void register_abbrev_functions();

}  // namespace velmo
