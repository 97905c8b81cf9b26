// CRT monitor: a slightly curved picture with scanlines, an aperture grille,
// a soft glow and a dark rim. Var1 sets the scanline strength (0..1).
float time;
float Var1 = 0.5;

texture texture0;
sampler screen = sampler_state {
  Texture = <texture0>;
  MinFilter = Linear;
  MagFilter = Linear;
  AddressU = Clamp;
  AddressV = Clamp;
};

// Bends the picture like the glass of a tube.
float2 Curve(float2 uv) {
  float2 c = uv * 2.0 - 1.0;
  c *= 1.0 + dot(c.yx, c.yx) * 0.04;
  return c * 0.5 + 0.5;
}

float4 CrtPS(float2 uv : TEXCOORD0) : COLOR {
  float2 p = Curve(uv);
  float3 col = tex2D(screen, p).rgb;
  // A little glow from the neighbours.
  float3 glow = tex2D(screen, p + float2(0.003, 0.0)).rgb + tex2D(screen, p - float2(0.003, 0.0)).rgb;
  col = col * 0.85 + glow * 0.12;
  // Scanlines: two per 600-line screen row pair, slowly rolling.
  float scan = sin((p.y * 300.0 + time * 2.0) * 6.2831853);
  col *= 1.0 - saturate(Var1) * 0.35 * (scan * 0.5 + 0.5);
  // Aperture grille: every third column leans to red, green or blue.
  float column = fmod(floor(p.x * 800.0), 3.0);
  float3 mask = column < 1.0 ? float3(1.08, 0.96, 0.96) : column < 2.0 ? float3(0.96, 1.08, 0.96) : float3(0.96, 0.96, 1.08);
  col *= mask;
  // Dark rim outside the glass and a soft vignette inside it.
  float2 edge = abs(p * 2.0 - 1.0);
  float inside = step(edge.x, 1.0) * step(edge.y, 1.0);
  float vignette = 1.0 - dot(edge * edge, float2(0.15, 0.2));
  return float4(col * vignette * inside, 1.0);
}

technique PostProcess {
  pass p0 {
    PixelShader = compile ps_2_0 CrtPS();
  }
}
