#!/usr/bin/env python3
"""The Group Policy templates in packaging/policy: both files are well-formed
XML; every string and presentation the ADMX names is in the ADML; every
policy writes under the saver's Policies key; and every value of the settings
key (as src/saver/SaverSettings.cpp names them) and "Upgrade check" has a
policy. One line per check, then "policy templates: N passed, N failed"."""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parents[2]
NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
KEY = r"Software\Policies\Quorvane\Screen Saver"
results = []


def check(what, ok):
    results.append(ok)
    print(("pass: " if ok else "FAIL: ") + what)


def parse(path):
    try:
        return ET.parse(path).getroot()
    except (ET.ParseError, OSError) as error:
        check(f"{path.name} is well-formed XML ({error})", False)
        return None


admx = parse(ROOT / "packaging/policy/QuorvaneSaver.admx")
adml = parse(ROOT / "packaging/policy/en-US/QuorvaneSaver.adml")
if admx is not None and adml is not None:
    check("both templates are well-formed XML", True)
    text = ET.tostring(admx, encoding="unicode")
    strings = {s.get("id") for s in adml.iterfind(".//p:stringTable/p:string", NS)}
    presentations = {p.get("id") for p in adml.iterfind(".//p:presentationTable/p:presentation", NS)}
    for kind, known in (("string", strings), ("presentation", presentations)):
        for name in sorted(set(re.findall(r"\$\(" + kind + r"\.([^)]+)\)", text))):
            check(f"the ADML has the {kind} {name}", name in known)
    values = set()
    for policy in admx.iterfind(".//p:policy", NS):
        check(f"policy {policy.get('name')} writes under {KEY}", policy.get("key") == KEY)
        values.update(e.get("valueName") for e in policy.iter() if e.get("valueName"))
    source = (ROOT / "src/saver/SaverSettings.cpp").read_text()
    settings = set(re.findall(r'\{"([^"]+)", &SaverConfigDlg::', source))
    settings.update(re.findall(r'pathValue\[\] = "([^"]+)"', source))
    check("the settings are found in SaverSettings.cpp", len(settings) > 1)
    for name in sorted(settings | {"Upgrade check"}):
        check(f'a policy sets "{name}"', name in values)
    for name in sorted(values - settings - {"Upgrade check"}):
        check(f'"{name}" is a setting', False)
print(f"policy templates: {results.count(True)} passed, {results.count(False)} failed")
sys.exit(0 if results and all(results) else 1)
