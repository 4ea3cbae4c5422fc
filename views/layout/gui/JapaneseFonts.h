#pragma once

// Maps the Windows face names the drawing code asks for ("ＭＳ ゴシック", "ＭＳ Ｐゴシック",
// "MS UI Gothic") to the installed IPA Gothic fonts. Call once at start, before any drawing.
void installJapaneseFontSubstitutes();

// The widgets' own font: the proportional Japanese face at the platform's size. Under a Japanese
// locale fontconfig's default is the fixed-pitch face, which spaces labels like a terminal; the
// fixed one stays where a view asks for "ＭＳ ゴシック" (aligned columns).
void useProportionalUiFont();
