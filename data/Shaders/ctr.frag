#version 110
// Contrast around mid grey, stronger as time grows.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    float k = 1.0 + max(time, 0.0);
    gl_FragColor = vec4(clamp((c.rgb - 0.5) * k + 0.5, 0.0, 1.0), c.a);
}
