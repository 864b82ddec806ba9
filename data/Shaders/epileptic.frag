#version 110
// Full-screen colour flash: the hue runs round the wheel and the strength follows time.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

vec3 Hue(float h)
{
    h = fract(h) * 6.0;
    return clamp(vec3(abs(h - 3.0) - 1.0, 2.0 - abs(h - 2.0), 2.0 - abs(h - 4.0)), 0.0, 1.0);
}

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    float t = clamp(time, 0.0, 1.0);
    vec3 flash = Hue(t * 2.5);
    vec3 rgb = mix(c.rgb, flash, 0.85 * t) + vec3(0.25 * t * t);
    gl_FragColor = vec4(clamp(rgb, 0.0, 1.0), c.a);
}
