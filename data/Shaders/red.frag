#version 110
// Everything in shades of red.
uniform sampler2D tex;
uniform int flatcolor;

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    float l = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    gl_FragColor = vec4(l, 0.0, 0.0, c.a);
}
