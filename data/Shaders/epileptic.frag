#version 110
// Full-screen colour cycle: a tint whose hue runs round the wheel with time. The tint moves
// each pixel's colour only in directions that keep its luminance, so nothing flashes however
// fast time moves, and it stays clear of saturated red.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

// Relative luminance of linear sRGB.
const vec3 LUMA = vec3(0.2126, 0.7152, 0.0722);
// How much of the way to the tint a pixel goes, and how far from grey the tint may go, as a
// share of the colours that keep the pixel's luminance.
const float STRENGTH = 0.6;
const float CHROMA = 0.8;
// The most red a tint may carry: red over the sum of the three, in linear light.
const float RED_SHARE = 0.7;

vec3 Hue(float h)
{
    h = fract(h) * 6.0;
    return clamp(vec3(abs(h - 3.0) - 1.0, 2.0 - abs(h - 2.0), 2.0 - abs(h - 4.0)), 0.0, 1.0);
}

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

    // The hue less its own grey: moving along it changes no luminance.
    vec3 hue = Hue(clamp(time, 0.0, 1.0));
    vec3 d = hue - vec3(dot(hue, LUMA));
    // As far from the pixel's grey as the colour cube allows...
    vec3 room = mix(vec3(y) / max(-d, 1e-6), vec3(1.0 - y) / max(d, 1e-6), step(0.0, d));
    float s = CHROMA * min(room.r, min(room.g, room.b));
    // ...and no further than the red share allows.
    float red = d.r - RED_SHARE * (d.r + d.g + d.b);
    if (red > 0.0)
        s = min(s, (3.0 * RED_SHARE - 1.0) * y / red);
    vec3 tint = vec3(y) + s * d;

    gl_FragColor = vec4(Encoded(clamp(mix(lin, tint, STRENGTH), 0.0, 1.0)), c.a);
}
