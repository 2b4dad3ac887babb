"""The program's own texts, as every acceptance run looks for them: window titles, buttons
and the messages the windows write, written once for all the platforms."""

T_PRINCIPAL = "Quorvel eléctricos"
T_CORRIENTES = "Cálculo de Corrientes y Potencias"
T_SECCIONES = "Cálculo de intensidades"
B_CORRIENTES = "Corrientes y potencias"
B_SECCIONES = "Secciones y caídas de tensión"
B_CERRAR = "Cerrar"
MSG_NO_NUMERICO = "Valor no númerico..."
CAIDA_SUPERADA = "Caída superada"
