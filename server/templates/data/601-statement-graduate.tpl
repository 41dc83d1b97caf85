# Pennova writing template (our own text)
id: 601
kind: high
category: 个人陈述|Personal statements
name: 研究生申请个人陈述|Personal statement for a graduate program
description: 适用于申请国外研究生项目的个人陈述。讲清楚学术兴趣的来源、相关学习和研究经历、选择该项目的理由以及未来目标。
title: Personal Statement for [标题中的项目，如 the Master of Science in Data Science] || [标题中的项目，如 the Master of Science in Data Science]申请个人陈述

[block]
My interest in [领域，如 data science] began when [起因，如 I helped my father analyse the sales of his small shop]. || 我对[领域，如 data science]的兴趣始于[起因，如 I helped my father analyse the sales of his small shop]。
[感悟，如 I was surprised to see how numbers could tell a story]. || [感悟，如 I was surprised to see how numbers could tell a story]。
[alternative]
I have always been curious about [领域，如 how data can help people make better decisions]. || 我一直对[领域，如 how data can help people make better decisions]充满好奇。
This curiosity has shaped my studies and my plans for the future. || 这种好奇心塑造了我的学习和未来的计划。

[block]
At [学校，如 Wuhan University], I majored in [专业，如 statistics]. || 在[学校，如 Wuhan University]，我主修[专业，如 statistics]。
I took courses in [课程，如 machine learning and database systems] and ranked [排名，如 fifth] in my year. || 我修读了[课程，如 machine learning and database systems]等课程，在年级排名[排名，如 fifth]。
[alternative]
During my undergraduate years, I built a solid base in [专业，如 mathematics and computer science]. || 在本科期间，我在[专业，如 mathematics and computer science]方面打下了坚实的基础。
My grade point average is [绩点，如 3.8 out of 4.0]. || 我的平均绩点是[绩点，如 3.8 out of 4.0]。

[block]
Outside the classroom, I worked on [研究经历，如 a project that predicts air quality in our city]. || 课堂之外，我参与了[研究经历，如 a project that predicts air quality in our city]。
I was in charge of [职责，如 cleaning the data and testing the models]. || 我负责[职责，如 cleaning the data and testing the models]。
This experience taught me [收获，如 both the power and the limits of data]. || 这段经历让我认识到[收获，如 both the power and the limits of data]。

[block]
I am applying to [项目，如 your program] because [理由，如 it offers strong training in both theory and practice]. || 我申请[项目，如 your program]是因为[理由，如 it offers strong training in both theory and practice]。
I hope to work with [教授，如 Professor Johnson], whose research on [研究方向，如 public health data] I greatly admire. || 我希望能跟随[教授，如 Professor Johnson]学习，我非常钦佩他在[研究方向，如 public health data]方面的研究。
[alternative]
Your program is known for [特色，如 its close ties with industry]. || 贵项目以[特色，如 its close ties with industry]而闻名。
I believe it is the best place for me to grow. || 我相信这里是我成长的最佳之地。

[block]
After graduation, I plan to [目标，如 work as a data analyst in the health field]. || 毕业后，我计划[目标，如 work as a data analyst in the health field]。
In the long run, I hope to [长远目标，如 use data to improve people's lives]. || 从长远来看，我希望[长远目标，如 use data to improve people's lives]。

[common]
This experience changed the way I think. || 这段经历改变了我的思维方式。
I enjoy solving problems that matter to people. || 我喜欢解决对人们重要的问题。
I have learned to work under pressure. || 我学会了在压力下工作。
My teachers encouraged me to go further. || 我的老师们鼓励我走得更远。
I am ready for the challenges of graduate study. || 我已准备好迎接研究生学习的挑战。
I am eager to learn from leading experts in this field. || 我渴望向这一领域的顶尖专家学习。
I believe I can also bring something to the program. || 我相信我也能为这个项目作出贡献。
Thank you for reading my statement. || 感谢您阅读我的陈述。
