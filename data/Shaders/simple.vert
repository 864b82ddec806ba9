#version 110
// Pass-through of the fixed pipeline's transform, colour and texture coordinate.
void main()
{
    gl_Position = ftransform();
    gl_FrontColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
