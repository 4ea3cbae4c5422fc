#pragma once

// Maps the Windows face names the drawing code asks for ("ＭＳ ゴシック", "ＭＳ Ｐゴシック",
// "MS UI Gothic") to the installed IPA Gothic fonts. Call once at start, before any drawing.
void installJapaneseFontSubstitutes();
