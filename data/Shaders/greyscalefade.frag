#version 110
// Turns the picture grey as time goes from 0 to 1, then darkens it to black from 1 to 2.
uniform sampler2D tex;
uniform float time;
uniform int flatcolor;

void main()
{
    vec4 c = gl_Color;
    if (flatcolor != 1)
        c *= texture2D(tex, gl_TexCoord[0].st);
    float t = clamp(time, 0.0, 2.0);
    float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    vec3 rgb = mix(c.rgb, vec3(grey), min(t, 1.0));
    rgb *= 1.0 - max(t - 1.0, 0.0);
    gl_FragColor = vec4(rgb, c.a);
}
