// Plasma texture: the classic sum of sines, coloured through a cosine palette,
// with a touch of noise.
float4 Testout(float2 uv : POSITION, float2 texelSize : PSIZE) : COLOR {
  float2 p = uv * 6.2831853;
  float v = sin(p.x * 2.0) + sin(p.y * 3.0) + sin(p.x + p.y * 2.0) + sin(length(uv - 0.5) * 18.0);
  v = v * 0.125 + 0.5 + noise(uv * 16.0) * 0.04;
  float3 col = 0.5 + 0.5 * cos(6.2831853 * (v + float3(0.0, 0.33, 0.67)));
  return float4(col, 1.0);
}
