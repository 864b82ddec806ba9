#version 110
// Darkens the picture to black as time goes from 0 to 1.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    float k = 1.0 - clamp(time, 0.0, 1.0);
    gl_FragColor = vec4(c.rgb * k, c.a);
}
