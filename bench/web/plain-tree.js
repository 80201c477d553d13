// The tree as a web developer would first write it, the reference the page
// is measured against: a 2D canvas redrawn every 100 ms.
const context = document.getElementById('tree').getContext('2d');
const ranges = [20, 40];
let from = ranges.map((range) => Math.random() * range);
let to = ranges.map((range) => Math.random() * range);
let legStart = performance.now();
let tilt = 0;
let spread = 0;

function branch(x, y, degree, depth, cornered) {
  if (depth === 5) return;
  const theta = (degree / 360) * 2 * 3.1415;
  const length = 70 - 5 * depth;
  const newX = -Math.sin(theta) * length + x;
  const newY = length * Math.cos(theta) + y;
  context.strokeStyle = `rgb(${depth * 60}, 128, ${1 + 21 * cornered})`;
  for (let i = 0; i < 3; ++i) {
    context.beginPath();
    context.moveTo(x, y);
    context.lineTo(newX, newY);
    context.stroke();
    branch(newX, newY, i * spread + degree - tilt, depth + 1, cornered + i);
  }
}

setInterval(() => {
  context.clearRect(0, 0, 342, 366);
  branch(100, 300, 180, 0, 0);
  const progress = (performance.now() - legStart) / 2000;
  tilt = from[0] + (to[0] - from[0]) * progress - 10;
  spread = from[1] + (to[1] - from[1]) * progress;
  if (progress > 1) {
    from = to;
    to = ranges.map((range) => Math.random() * range);
    legStart = performance.now();
  }
}, 100);
