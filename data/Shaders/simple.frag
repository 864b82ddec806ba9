#version 110
// Textured and coloured, like the fixed pipeline.
uniform sampler2D tex;
uniform int flatcolor;

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    gl_FragColor = c;
}
