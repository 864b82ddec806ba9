#version 110
// Full-screen tint: waves of green, cyan and blue that run diagonally across the window. A
// pixel goes toward the tint only in directions that keep its luminance, and the tint's red is
// always its least channel, so reddish pixels lose red and no pixel turns reddish. "time" jumps
// from frame to frame, so it only nudges the waves: no colour moves far enough to flicker.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

// Relative luminance of linear sRGB.
const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);
// How much of the way to the tint a pixel goes, and how far from grey the tint may go, as a
// share of the colours that keep the pixel's luminance.
const float STRENGTH = 0.6;
const float CHROMA = 0.8;
// The waves' length along x + y in window pixels, and how far "time" shifts them (radians).
const float WAVE = 360.0;
const float DRIFT = 0.08;

vec3 Linear(vec3 c)
{
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));
}

vec3 Encoded(vec3 c)
{
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    vec3 lin = Linear(clamp(c.rgb, 0.0, 1.0));
    float y = dot(lin, LUMA);

    // Where the pixel lies on the waves: green at -1, cyan at 0, blue at 1.
    float phase = 6.2832 * (gl_FragCoord.x + gl_FragCoord.y) / WAVE;
    float k = sin(phase + DRIFT * clamp(time, 0.0, 1.0));
    vec3 hue = vec3(0.0, clamp(1.0 - k, 0.0, 1.0), clamp(1.0 + k, 0.0, 1.0));
    // The hue less its own grey: moving along it changes no luminance.
    vec3 d = hue - vec3(dot(hue, LUMA));
    // As far from the pixel's grey as the colour cube allows.
    vec3 room = mix(vec3(y) / max(-d, 1e-6), vec3(1.0 - y) / max(d, 1e-6), step(0.0, d));
    vec3 tint = vec3(y) + CHROMA * min(room.r, min(room.g, room.b)) * d;

    gl_FragColor = vec4(Encoded(clamp(mix(lin, tint, STRENGTH), 0.0, 1.0)), c.a);
}
