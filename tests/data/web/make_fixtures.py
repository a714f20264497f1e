#!/usr/bin/env python3
"""Writes the fixture pages of the results-acquisition tests.

The pages follow the layout the program's page reader expects (headings,
links, number blocks, the end anchor, the prize table, the document link);
their text is made up here. Run again after changing it:
    python3 tests/data/web/make_fixtures.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

MONTHS = ["enero", "febrero", "marzo", "abril", "mayo", "junio", "julio",
          "agosto", "septiembre", "octubre", "noviembre", "diciembre"]

# Newest first, as the search lists them: (day, month, year, link id,
# numbers in drawing order, key).
DRAWS = [
    (6, 12, 2026, 986001049, [33, 7, 51, 2, 19], 4),
    (29, 11, 2026, 986001048, [12, 45, 3, 28, 40], 0),
    (22, 11, 2026, 986001047, [54, 9, 22, 14, 36], 9),
    (15, 11, 2026, 986001046, [1, 18, 27, 30, 44], 5),
    (8, 11, 2026, 986001045, [49, 11, 20, 38, 5], 2),
    (1, 11, 2026, 986001044, [8, 16, 25, 41, 53], 7),
    (25, 10, 2026, 986001043, [4, 13, 29, 35, 47], 1),
]

CATEGORIES = ["1&ordf; (5 + 1)", "2&ordf; (5 + 0)", "3&ordf; (4 + 1)", "4&ordf; (4 + 0)",
              "5&ordf; (3 + 1)", "6&ordf; (3 + 0)", "7&ordf; (2 + 1)", "8&ordf; (2 + 0)"]


def summary_table(seed):
    # A summary of winners per category before each heading: it keeps the
    # headings more than the reader's margin apart, like the real listing.
    rows = []
    for i, cat in enumerate(CATEGORIES):
        winners = (seed * 7 + i * 13) % 900 + i * 31
        rows.append(
            '    <tr class="fila-categoria fila-%d">\n'
            '      <th class="nombre-categoria" scope="row">Categor&iacute;a %s</th>\n'
            '      <td class="acertantes" data-valor="%d">%d acertantes en Espa&ntilde;a</td>\n'
            '      <td class="acertantes-europa" data-valor="0">sin acertantes europeos</td>\n'
            '      <td class="nota">Premio por apuesta publicado tras el escrutinio oficial.</td>\n'
            '    </tr>\n' % (i + 1, cat, winners, winners))
    return ('  <div class="ficha-resumen" data-juego="gordo">\n'
            '  <p class="aviso">Resumen del escrutinio. Los importes definitivos se publican en la '
            'ficha de cada jornada y en el acta oficial; consulte siempre la ficha completa.</p>\n'
            '  <table class="resumen-acertantes">\n' + ''.join(rows) + '  </table>\n  </div>\n')


def article(draw, numbers_text=None, key_text=None):
    day, month, year, link, numbers, key = draw
    numbers_text = numbers_text or [str(n) for n in numbers]
    key_text = str(key) if key_text is None else key_text
    items = ''.join('      <li> %s</li>\n' % n for n in numbers_text)
    return ('<article class="jornada">\n' + summary_table(day + month) +
            '  <h3 class="titulo-jornada">El Gordo del&nbsp;domingo %d de %s de %d</h3>\n'
            '  <p class="enlace"><a href="/es/gordo-primitiva/sorteos/%d/%d" title="Ficha">Ver ficha</a></p>\n'
            '  <div class="combi">\n    <ul class="bolas">\n%s'
            '      <li class="clave q"">%s</li>\n    </ul>\n  </div>\n</article>\n'
            % (day, MONTHS[month - 1], year, year, link, items, key_text))


HEAD = '''<!DOCTYPE html>
<html lang="es">
<head>
<meta charset="utf-8">
<title>Buscador de jornadas - El Gordo de la Primitiva</title>
<style>
body { font-family: sans-serif; margin: 0; background: #f4f4f4; color: #222; }
.cabecera { background: #0a3d7a; color: #fff; padding: 12px 24px; }
.cabecera ul { list-style: none; margin: 0; padding: 0; display: flex; gap: 16px; }
.jornada { background: #fff; margin: 16px auto; max-width: 960px; padding: 16px; }
.titulo-jornada { font-size: 1.3em; margin: 8px 0; }
.bolas { list-style: none; display: flex; gap: 8px; padding: 0; }
.bolas li { border-radius: 50%; width: 36px; height: 36px; background: #ffd500; text-align: center; }
.resumen-acertantes { border-collapse: collapse; width: 100%; font-size: 0.85em; }
.resumen-acertantes th, .resumen-acertantes td { border-bottom: 1px solid #ddd; padding: 4px; }
.pie { font-size: 0.8em; color: #555; padding: 24px; }
</style>
</head>
<body>
<div class="cabecera">
  <ul class="menu">
    <li><a href="/es/">Inicio</a></li>
    <li><a href="/es/gordo-primitiva">El Gordo</a></li>
    <li><a href="/es/resultados">Resultados</a></li>
    <li><a href="/es/ayuda">Ayuda</a></li>
  </ul>
</div>
<form class="buscador" action="/es/buscador" method="get">
  <input type="hidden" name="gameId" value="05">
  <input type="hidden" name="type" value="search">
  <label>Desde <input type="text" name="startDate"></label>
  <label>Hasta <input type="text" name="endDate"></label>
  <button type="submit">Buscar</button>
</form>
<section class="listado">
'''

TAIL = '''</section>
<!-- while loading: the list above is complete -->
<div class="pie">
  <p>Los resultados publicados en esta p&aacute;gina tienen car&aacute;cter informativo.
  En caso de discrepancia prevalece el acta oficial de cada jornada.</p>
  <p>Juego responsable: juega con moderaci&oacute;n. Prohibida la venta a menores de edad.</p>
</div>
<script>
  window.addEventListener('load', function () { document.body.classList.add('listo'); });
</script>
</body>
</html>
'''


def search_page(draws, overrides=None):
    overrides = overrides or {}
    body = ''.join(article(d, *overrides.get(i, (None, None))) for i, d in enumerate(draws))
    return HEAD + body + TAIL


DRAW_PAGE = '''<!DOCTYPE html>
<html lang="es">
<head><meta charset="utf-8"><title>El Gordo de la Primitiva - domingo 6 de diciembre de 2026</title></head>
<body>
<h2 class="titulo">El Gordo de la Primitiva: domingo 6 de diciembre de 2026</h2>
<div class="ganadora">2 - 7 - 19 - 33 - 51 &middot; n&uacute;mero clave 4</div>
<table class="escrutinio">
  <thead><tr><th>Categor&iacute;a</th><th>Premio por apuesta</th><th class="acertantes">Acertantes</th></tr></thead>
  <tbody>
    <tr><td>1&ordf; (5 + 1)</td><td>4.512.332,10&nbsp;&euro;</td><td class="acertantes">1</td></tr>
    <tr><td>2&ordf; (5 + 0)</td><td>152.004,55&nbsp;&euro;</td><td class="acertantes">2</td></tr>
    <tr><td>3&ordf; (4 + 1)</td><td>3.565,21&nbsp;&euro;</td><td class="acertantes">9</td></tr>
    <tr><td>4&ordf; (4 + 0)</td><td>  412,80 &nbsp;&euro;</td><td class="acertantes">61</td></tr>
    <tr><td>5&ordf; (3 + 1)</td><td>70,15&nbsp;&euro;</td><td class="acertantes">488</td></tr>
    <tr><td>6&ordf; (3 + 0)</td><td>15,60&nbsp;&euro;</td><td class="acertantes">4.120</td></tr>
    <tr><td>7&ordf; (2 + 1)</td><td>5,40&nbsp;&euro;</td><td class="acertantes">7.388</td></tr>
    <tr><td>8&ordf; (2 + 0)</td><td>1,50&nbsp;&euro;</td><td class="acertantes">61.201</td></tr>
  </tbody>
</table>
<h3 class="seccion">DOCUMENTOS</h3>
<ul class="documentos">
  <li><a class="pdf" href="/f/loterias/documentos/El%20Gordo/2026/ESCRUTINIO_LOTER\u00cdA_\u00c1MBITO_20261206.pdf">Acta del escrutinio</a></li>
</ul>
</body>
</html>
'''


def tiny_pdf():
    objects = [
        b'<< /Type /Catalog /Pages 2 0 R >>',
        b'<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
        b'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 120] /Contents 4 0 R '
        b'/Resources << /Font << /F1 5 0 R >> >> >>',
        None,
        b'<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>',
    ]
    stream = b'BT /F1 14 Tf 20 60 Td (Acta de prueba) Tj ET'
    objects[3] = b'<< /Length %d >>\nstream\n' % len(stream) + stream + b'\nendstream'
    out = bytearray(b'%PDF-1.4\n')
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b'%d 0 obj\n' % i + body + b'\nendobj\n'
    xref = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
    for off in offsets:
        out += b'%010d 00000 n \n' % off
    out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objects) + 1, xref)
    return bytes(out)


NEWS = '''<html><body>
<h2>Noticias de Quorvale</h2>
<p>Ya est&aacute; disponible la nueva versi&oacute;n del programa, con la descarga de resultados
renovada y el informe de premios dentro de la propia ventana.</p>
<p>Recuerde que los sorteos de El Gordo de la Primitiva se celebran cada domingo y que los
resultados suelen estar disponibles pocas horas despu&eacute;s.</p>
<p>Gracias por seguir confiando en nosotros.</p>
</body></html>
'''


def write(name, data):
    mode = 'wb' if isinstance(data, bytes) else 'w'
    with open(os.path.join(HERE, name), mode, **({} if mode == 'wb' else {'encoding': 'utf-8', 'newline': '\n'})) as f:
        f.write(data)


write('busqueda.html', search_page(DRAWS))
# The newest draw is listed before its numbers are known.
write('busqueda_pendiente.html', search_page(DRAWS, {0: (['', '', '', '', ''], '')}))
write('sorteo.html', DRAW_PAGE)
write('informe.pdf', tiny_pdf())
write('noticias.html', NEWS)
